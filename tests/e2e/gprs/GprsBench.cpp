#include "GprsBench.h"

#include "ControlNames.h"
#include "MSComm.h"
#include "MultiLineBox.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

GprsBench::GprsBench() {
    boxCloser_.setInterval(20);
    QObject::connect(&boxCloser_, &QTimer::timeout, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box->objectName() != QLatin1String("MessageBox"))
            return;
        messages_.append(box->text());
        box->button(QMessageBox::Ok)->click();
    });
}

bool GprsBench::start(const QStringList& trackerOptions) {
    if (!folder_.isValid() || !tracker_.start(trackerOptions))
        return false;
    prepareProgramFolder(folder_.path(), 3, tracker_.devicePath());
    form_ = std::make_unique<Form1>(folder_.path());
    form_->show();
    boxCloser_.start();
    return form_->comm()->commPort() == 3;
}

void GprsBench::click(const QString& button) {
    form_->findChild<QPushButton*>(button)->click();
}

QString GprsBench::text(const QString& control) const {
    auto* found = form_->findChild<QObject*>(control);
    if (auto* edit = qobject_cast<QLineEdit*>(found))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(found))
        return combo->currentText();
    return qobject_cast<MultiLineBox*>(found)->text();
}

void GprsBench::setText(const QString& control, const QString& text) {
    auto* found = form_->findChild<QObject*>(control);
    if (auto* edit = qobject_cast<QLineEdit*>(found))
        edit->setText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(found))
        combo->setEditText(text);
    else
        qobject_cast<MultiLineBox*>(found)->setText(text);
}

bool GprsBench::enabled(const QString& control) const {
    return form_->findChild<QWidget*>(control)->isEnabled();
}

bool GprsBench::frameShown() const {
    return !form_->findChild<QWidget*>(QLatin1String(ctl::GprsFrame))->isHidden();
}

QByteArray GprsBench::takeReceived(qsizetype atLeast) {
    // A short take is reported by the caller's comparison.
    (void)QTest::qWaitFor([&] { return tracker_.received().size() >= taken_ + atLeast; },
                          kPatienceMs);
    const QByteArray all = tracker_.received();
    QByteArray fresh = all.mid(taken_);
    taken_ = all.size();
    return fresh;
}
