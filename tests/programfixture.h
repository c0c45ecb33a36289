#pragma once

#include "main/form1.h"
#include "main/program.h"
#include "main/vocabularydatabase.h"
#include "platform/codepage.h"
#include "platform/layout.h"
#include "platform/programend.h"
#include "platform/windowtoggle.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <span>

// A program of its own for one test: both its folders in a fresh temporary directory, and
// closing its main window only counts an end instead of ending the test process.
class ProgramFixture
{
public:
    // The data directory (user list, user files) is the same folder unless one is given.
    explicit ProgramFixture(const QString &dataDirectory = QString())
        : m_previousDir(QDir::currentPath()),
          m_program(
              Program::Folders{m_dir.path(), dataDirectory.isNull() ? m_dir.path() : dataDirectory})
    {
        ProgramEnd::setHandler([this] { ++m_ends; });
    }
    ~ProgramFixture()
    {
        ProgramEnd::setHandler({});
        QDir::setCurrent(m_previousDir);
    }
    ProgramFixture(const ProgramFixture &) = delete;
    ProgramFixture &operator=(const ProgramFixture &) = delete;

    Program &program() { return m_program; }
    Shared_State &state() { return m_program.state(); }
    Form1 *form1() { return m_program.form1(); }
    int ends() const { return m_ends; }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    void writeFile(const QString &name, const QByteArray &content) const
    {
        QFile file(path(name));
        QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(name));
        file.write(content);
    }

    QByteArray readFile(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The vocabulary database from its lines, in the code page with CR LF.
    void writeDatabase(const QStringList &lines) const
    {
        QByteArray content;
        for (const QString &line : lines)
            content += CodePage::encode(line) + TextLines::crlf;
        writeFile(QString::fromLatin1(VocabularyDatabase::fileName), content);
    }

    // A section: its header, then word lines made from the two patterns ("A%1", "B%1").
    static QStringList section(int vocabulary, int words,
                               const QString &left = QStringLiteral("A%1"),
                               const QString &right = QStringLiteral("B%1"))
    {
        QStringList lines{QLatin1Char('#') + QString::number(vocabulary)};
        for (int k = 1; k <= words; ++k)
            lines << left.arg(k) + QLatin1Char('\\') + right.arg(k);
        return lines;
    }

    // Words made from a pattern: numbered("B%1", 11) is B11 to B20.
    static QStringList numbered(const QString &pattern, int from, int count = 10)
    {
        QStringList words;
        for (int k = from; k < from + count; ++k)
            words << pattern.arg(k);
        return words;
    }

    // Shows a window and waits until it is the active one, so that its activation has run.
    static bool activate(FormWindow *window)
    {
        window->showForm();
        return QTest::qWaitForWindowActive(window);
    }

    // Opens a window from the active main window as its button does, and waits until it is
    // the active one.
    bool openFromForm1(FormWindow *window)
    {
        if (!activate(form1()))
            return false;
        toggleWindow(window);
        return QTest::qWaitForWindowActive(window);
    }

    // Every control of a layout table exists under its name, stands where the table puts it
    // (within half a pixel) and is shown or hidden as designed.
    static void checkLayout(const QWidget *form, std::span<const Layout::Control> controls)
    {
        for (const Layout::Control &control : controls) {
            const QString name = Layout::objectName(control);
            const auto *widget = form->findChild<QWidget *>(name);
            QVERIFY2(widget, qPrintable(name));
            const QRect r = Layout::rectTwips(widget);
            QVERIFY2(qAbs(r.left() - control.left) <= 7 && qAbs(r.top() - control.top) <= 7 &&
                         qAbs(r.width() - control.width) <= 15 &&
                         qAbs(r.height() - control.height) <= 15,
                     qPrintable(name));
            QVERIFY2(widget->isHidden() == !control.visible, qPrintable(name));
        }
    }

    // Types each character as a key press carrying it, as a keyboard or input method would;
    // QTest::keyClicks takes ASCII only.
    static void type(QWidget *widget, const QString &text)
    {
        for (char32_t c : text.toUcs4())
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString::fromUcs4(&c, 1),
                                Qt::NoModifier);
    }

    // The smallest rectangle holding every pixel whose grey level (0 to 255) passes the test.
    static QRect pixelsWhere(const QImage &image, const std::function<bool(int level)> &test)
    {
        QRect found;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (test(qGray(image.pixel(x, y))))
                    found |= QRect(x, y, 1, 1);
        return found;
    }

private:
    QTemporaryDir m_dir;
    QString m_previousDir;
    Program m_program;
    int m_ends = 0;
};
