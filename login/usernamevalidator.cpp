#include "login/usernamevalidator.h"

#include "platform/codepage.h"

QValidator::State UserNameValidator::validate(QString &input, int &) const
{
    return isStorable(input) ? Acceptable : Invalid;
}

bool UserNameValidator::isStorable(QStringView name)
{
    return !name.contains(u'\r') && !name.contains(u'\n') && CodePage::canEncode(name);
}
