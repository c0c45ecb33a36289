#pragma once

#include <QValidator>

// Accepts only names that the user list can hold as typed: every character must have a place
// in the Windows-1252 code page, and no line break may split the name over two lines. Whatever
// else would be stored altered ("Łukasz" as "?ukasz") cannot be typed or pasted.
class UserNameValidator : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override;

    static bool isStorable(QStringView name);
};
