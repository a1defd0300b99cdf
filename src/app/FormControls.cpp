#include "FormControls.h"

#include "ControlFactory.h"
#include "MultiLineBox.h"
#include "ReplyHexBox.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// Fields of a framed group share a label column and a row pitch.
constexpr int kRow = 25;
constexpr int kHeight = 21;
constexpr int kFieldX = 72;

int row(int index) {
    return 18 + index * kRow;
}

void buildMain(QWidget* frame1, const ControlFactory& make) {
    QGroupBox* main = make.frame(frame1, s("Frame8"), s("Main"), {8, 32, 250, 222});
    const auto field = [&](int index, const char* labelName, const char* caption) {
        make.label(main, s(labelName), s(caption), {8, row(index), 62, kHeight});
    };
    field(0, "Label4", "Callsign");
    make.textBox(main, s("Text4"), {}, 6, {kFieldX, row(0), 80, kHeight});
    make.label(main, s("Label9"), s("-"), {156, row(0), 10, kHeight});
    make.comboBox(main, s("Combo5"), {}, {168, row(0), 60, kHeight});
    field(1, "Label1", "Pass");
    make.textBox(main, s("Text5"), {}, 5, {kFieldX, row(1), 80, kHeight});
    field(2, "Label6", "Comment");
    make.textBox(main, s("Text8"), {}, 61, {kFieldX, row(2), 170, kHeight});
    field(3, "Label11", "Status");
    make.textBox(main, s("Text7"), {}, 40, {kFieldX, row(3), 170, kHeight});
    field(4, "Label13", "PTTdelay");
    make.comboBox(main, s("Combo10"), {}, {kFieldX, row(4), 80, kHeight});
    field(5, "Label5", "Path");
    make.comboBox(main, s("Combo7"), {}, {kFieldX, row(5), 170, kHeight});
    field(6, "Label24", "TX vol");
    make.comboBox(main, s("Combo6"), {}, {kFieldX, row(6), 80, kHeight});
    field(7, "Label14", "Symbol");
    make.comboBox(main, s("Combo11"), {}, {kFieldX, row(7), 80, kHeight});
}

// Degrees, minutes and hundredths of one coordinate with their separators.
void buildCoordinate(QGroupBox* gps, const ControlFactory& make, int y, const char* labelName,
                     const char* caption, const char* names[4], const char* degrees,
                     int degreeWidth, const char* hemisphere) {
    make.label(gps, s(labelName), s(caption), {8, y, 40, kHeight});
    make.textBox(gps, s(names[0]), s(degrees), degreeWidth, {50, y, 32, kHeight});
    make.label(gps, {}, s("°"), {84, y, 8, kHeight});
    make.textBox(gps, s(names[1]), s("00"), 2, {94, y, 26, kHeight});
    make.label(gps, {}, s("."), {122, y, 8, kHeight});
    make.textBox(gps, s(names[2]), s("00"), 2, {132, y, 26, kHeight});
    make.label(gps, {}, s("'"), {160, y, 8, kHeight});
    make.comboBox(gps, s(names[3]), s(hemisphere), {172, y, 56, kHeight});
}

void buildGps(QWidget* frame1, const ControlFactory& make) {
    QGroupBox* gps = make.frame(frame1, s("Frame7"), s("GPS"), {8, 258, 250, 96});
    make.option(gps, s("Option1_0"), s("GPS"), {8, row(0), 76, kHeight});
    make.option(gps, s("Option1_1"), s("Fix"), {90, row(0), 110, kHeight});
    const char* latitude[4] = {"Text13", "Text14", "Text15", "Combo12"};
    buildCoordinate(gps, make, row(1), "Label17", "Lat:", latitude, "00", 2, "N");
    const char* longitude[4] = {"Text16", "Text17", "Text18", "Combo13"};
    buildCoordinate(gps, make, row(2), "Label16", "Long:", longitude, "000", 3, "E");
}

void buildRightColumn(QWidget* frame1, const ControlFactory& make) {
    QGroupBox* setup = make.frame(frame1, s("Frame5"), s("Setup"), {266, 32, 247, 72});
    make.label(setup, s("Label18"), s("Backlight"), {8, row(0), 62, kHeight});
    make.comboBox(setup, s("Combo16"), {}, {kFieldX, row(0), 64, kHeight});
    make.checkBox(setup, s("Check3"), s("Beep"), {146, row(0), 94, kHeight})->setChecked(true);
    make.label(setup, s("Label19"), s("Unit"), {8, row(1), 62, kHeight});
    make.comboBox(setup, s("Combo4"), {}, {kFieldX, row(1), 64, kHeight});
    make.checkBox(setup, s("Check2"), s("MIC_E"), {146, row(1), 94, kHeight})->setChecked(true);

    // The alias has a row of its own: beside "中继功能" its list would cut "WIDE1+WIDE2".
    QGroupBox* digi = make.frame(frame1, s("Frame4"), s("Digipeater"), {266, 108, 247, 73});
    make.checkBox(digi, s("Check1"), s("DIGI"), {8, row(0), 78, kHeight});
    make.label(digi, s("Label26"), s("Alias"), {8, row(1), 62, kHeight});
    make.comboBox(digi, s("Combo8"), {}, {kFieldX, row(1), 168, kHeight});

    // Each option as wide as its circle and caption need; "INTERVAL" needs the most.
    QGroupBox* tx = make.frame(frame1, s("Frame6"), s("Tx mode"), {266, 185, 247, 48});
    make.option(tx, s("Option3_0"), s("SMART"), {4, row(0), 69, kHeight});
    make.option(tx, s("Option3_1"), s("Off"), {73, row(0), 46, kHeight});
    make.option(tx, s("Option3_2"), s("INTERVAL"), {119, row(0), 85, kHeight});
    make.textBox(tx, s("Text10"), {}, 4, {204, row(0), 38, kHeight});

    make.multiLineBox(frame1, s("Text29"), {266, 239, 247, 115});
}

void buildButtonRows(QWidget* frame1, const ControlFactory& make) {
    constexpr int kButton = 24;
    constexpr int kTop = 388;
    constexpr int kBottom = 416;
    const int columns[] = {8, 108, 208, 418};
    constexpr int kColumnWidth = 95;

    make.button(frame1, s("Command15"), s("GPRS setup"), {8, 360, kColumnWidth, kButton});
    make.portList(frame1, s("Combo1"), {columns[0], kTop, kColumnWidth, kButton});
    make.button(frame1, s("Command6"), s("Read data"), {columns[1], kTop, kColumnWidth, kButton});
    make.button(frame1, s("Command4"), s("Load file"), {columns[2], kTop, kColumnWidth, kButton});
    make.button(frame1, s("Command1"), s("Open ROM"), {columns[3], kTop, kColumnWidth, kButton});
    make.button(frame1, s("Command0"), s("Default"), {columns[0], kBottom, kColumnWidth, kButton});
    QPushButton* write = make.button(frame1, s("Command7"), s("Write data"),
                                     {columns[1], kBottom, kColumnWidth, kButton});
    // Nothing is read yet that could be written back.
    write->setEnabled(false);
    make.button(frame1, s("Command5"), s("Save file"),
                {columns[2], kBottom, kColumnWidth, kButton});
    make.button(frame1, s("Command2"), s("update"), {columns[3], kBottom, kColumnWidth, kButton});

    QGroupBox* vers = make.frame(frame1, s("Frame3"), s("Vers"), {308, 360, 104, 80});
    make.textBox(vers, s("Text6"), s("KITE12"), 0, {6, 46, 92, 22});
    QLineEdit* config =
        make.textBox(frame1, s("Text12"), s("Config 20180101"), 0, {312, 378, 96, 22});
    config->setReadOnly(true);
    config->setFrame(false);
    config->setAlignment(Qt::AlignCenter);
    QFont small = config->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    config->setFont(small);
    config->raise();
}

void buildGprsFrame(QWidget* frame1, const ControlFactory& make) {
    QGroupBox* gprs = make.frame(frame1, s("Frame2"), s("GPRS "), {8, 32, 505, 408});
    // It covers the groups below it when shown.
    gprs->setAutoFillBackground(true);

    QGroupBox* info = make.frame(gprs, s("Frame11"), s("Info"), {8, 18, 489, 190});
    make.multiLineBox(info, s("Text11"), {8, 18, 473, 164});

    QGroupBox* server = make.frame(gprs, s("Frame10"), s("GPRS Setup"), {8, 214, 240, 76});
    make.label(server, s("Label7"), s("Server"), {8, 20, 56, kHeight});
    make.comboBox(server, s("Combo3"), {}, {66, 20, 166, kHeight});
    make.label(server, s("Label29"), s("Port"), {8, 46, 56, kHeight});
    make.textBox(server, s("Text23"), {}, 0, {66, 46, 80, kHeight});

    QGroupBox* apn = make.frame(gprs, s("Frame9"), s("APN"), {256, 214, 241, 128});
    make.checkBox(apn, s("Check4"), s("Enable"), {8, 20, 100, kHeight});
    make.textBox(apn, s("Text22"), {}, 0, {8, 46, 225, kHeight});
    make.label(apn, s("Label12"), s("User"), {8, 72, 56, kHeight});
    make.textBox(apn, s("Text19"), {}, 0, {66, 72, 167, kHeight});
    make.label(apn, s("Label25"), s("Pass"), {8, 98, 56, kHeight});
    make.textBox(apn, s("Text20"), {}, 0, {66, 98, 167, kHeight});

    make.button(gprs, s("Command16"), s("Read"), {8, 300, 76, 26});
    make.button(gprs, s("Command10"), s("Save"), {90, 300, 76, 26});
    make.button(gprs, s("Command11"), s("EXIT"), {172, 300, 76, 26});
    make.label(gprs, s("Label30"), s("Please remove sim card."), {8, 348, 489, 22});
}

// Controls the operations use but the user never sees: beyond the right edge.
void buildOutOfSight(QWidget* form, const ControlFactory& make) {
    constexpr int kX = kClientWidth + 20;
    auto* hex = new ReplyHexBox(form);
    hex->setObjectName(s("Text1"));
    hex->setText(s(" ."));
    hex->setGeometry(FormGeometry(form).rect(kX, 8, 100, 20));
    make.label(form, s("Label2"), {}, {kX, 32, 100, 20});
    make.textBox(form, s("Text30"), {}, 0, {kX, 56, 100, 20});
    make.button(form, s("Command3"), s("打开串口"), {kX, 80, 100, 24});
}

} // namespace

void buildFormControls(QWidget* form, const ControlFactory& make) {
    QGroupBox* frame1 = make.frame(form, s("Frame1"), {}, {0, 0, kClientWidth, kClientHeight});
    QLabel* title = make.label(frame1, s("Label3"), s("KITE12 APRS Config"), {8, 6, 505, 24});
    title->setAlignment(Qt::AlignCenter);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    title->setFont(titleFont);

    buildMain(frame1, make);
    buildGps(frame1, make);
    buildRightColumn(frame1, make);
    buildButtonRows(frame1, make);
    make.progressBar(frame1, s("ProgressBar1"), {8, 446, 505, 18});
    make.label(frame1, s("Label22"), s("If change setup then please restart "),
               {170, 478, 242, 22});
    make.button(frame1, s("Command9"), s("restart"), {418, 476, 95, 26});
    buildGprsFrame(frame1, make);

    // Wide enough for "Connection is successful".
    QLineEdit* counter = make.textBox(form, s("Text3"), s("0/10"), 0, {8, 478, 156, 22});
    counter->setReadOnly(true);
    counter->raise();
    buildOutOfSight(form, make);
}
