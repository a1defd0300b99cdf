#pragma once

#include "FieldTargets.h"
#include "ReplyParser.h"
#include "SettingsRecord.h"
#include "TextEncoding.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <QtGlobal>

// The window's settings: no store of their own, every field read from and written
// to its control, so that the window's rules react to each change. The filter
// alone is kept apart: its box also collects the modem's answers.
class ControlBinding : public LineFlags {
public:
    // Binds every field to the control of that name among the form's children.
    explicit ControlBinding(QWidget* form);

    QString text(TextField field) const;
    // Text of the program's own: the field no longer has an encoding of its own.
    void setText(TextField field, const QString& value);
    // A value as cut from a line: its text, and on its control the encoding it came in.
    void setLineText(TextField field, const QString& lineValue);
    // The encoding the field's text goes out in.
    TextEncoding encoding(TextField field) const;
    // What new text goes out in where no non-ASCII text came in.
    void setNewTextEncoding(TextEncoding encoding) { newText_ = encoding; }

    bool checked(CheckField field) const;
    void setChecked(CheckField field, bool checked);

    bool isChosen(OptionGroup group, int member) const;
    void setChosen(OptionGroup group, int member, bool chosen);

    // The status log Text29: the parser appends "Connect OK" and "Read end" to it.
    void appendStatus(const QString& text);

    // The control that shows the field.
    QWidget* controlOf(TextField field) const { return control(controlName(field)); }
    QWidget* controlOf(CheckField field) const { return control(controlName(field)); }
    QWidget* controlOf(OptionGroup group, int member) const {
        return control(controlName(group, member));
    }

    // Every field as it stands now.
    SettingsRecord record() const;

    // Empties the fields before a read; filter, the hemispheres, the server port
    // and the access point fields keep their contents.
    void clearForRead();

    // Every field as its control holds it, with the encoding its text came in.
    struct Held {
        QList<QString> texts;
        QList<QVariant> encodings;
        QList<bool> checks;
        QList<bool> chosen;
    };
    Held held() const;
    void putBack(const Held& held);

private:
    static QString controlName(TextField field);
    static QString controlName(CheckField field);
    static QString controlName(OptionGroup group, int member);
    // The control of that name, found once and remembered.
    QWidget* control(const QString& name) const;

    QWidget* form_;
    QString filter_;
    TextEncoding newText_ = TextEncoding::Utf8;
    mutable QHash<QString, QPointer<QWidget>> controls_;
};

// Applies one settings line to the window's fields; false when a cut failed.
bool peizhi(const QString& currentLine, ControlBinding& settings);
