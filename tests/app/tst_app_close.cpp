#include "ControlNames.h"
#include "Delay.h"
#include "Form1.h"
#include "MSComm.h"
#include "ProgramFolder.h"
#include "PseudoTerminal.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

// Closing the window ends the program even while a handler waits in Delay.
class CloseTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void closingDuringAWaitEndsTheProgramAtOnce();
};

void CloseTest::closingDuringAWaitEndsTheProgramAtOnce() {
    PseudoTerminal port;
    ProgramFolder folder({{2, port.device()}}, QStringLiteral("COM2"));
    auto* form = new Form1(folder.path());
    form->setAttribute(Qt::WA_DeleteOnClose);
    QVERIFY(!windowClosing());
    form->comm()->open();

    // Stands in for an operation: a long wait with the port open, then more waits.
    bool waitEnded = false;
    qint64 waitedMs = -1;
    QObject::connect(form->findChild<QPushButton*>(ctl::ReadButton), &QPushButton::clicked, form,
                     [&] {
                         QElapsedTimer clock;
                         clock.start();
                         Delay(60000);
                         Delay(60000);
                         waitedMs = clock.elapsed();
                         waitEnded = true;
                     });
    form->show();
    QTimer::singleShot(0, form,
                       [form] { form->findChild<QPushButton*>(ctl::ReadButton)->click(); });
    QPointer<Form1> alive(form);
    QTimer::singleShot(300, form, [form] {
        QVERIFY(form->findChild<QTimer*>(ctl::StepTimer)->isActive());
        form->close();
        QVERIFY(!form->comm()->isOpen());
        QVERIFY(!form->findChild<QTimer*>(ctl::LoaderWaitTimer)->isActive());
        QVERIFY(!form->findChild<QTimer*>(ctl::StepTimer)->isActive());
    });
    // Fails the test instead of hanging it if the program never ends.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
    guard.start(50000);

    const int exitCode = QApplication::exec();
    QCOMPARE(exitCode, 0);
    QVERIFY(waitEnded);
    // Far below one of the waits, however busy the machine: the waits were cut short.
    qInfo("the waits ended after %lld ms", waitedMs);
    QVERIFY2(waitedMs < 30000, qPrintable(QString::number(waitedMs)));
    QVERIFY(windowClosing());
    QTRY_VERIFY(alive.isNull());
}

QTEST_MAIN(CloseTest)
#include "tst_app_close.moc"
