#include "FormControls.h"

#include "ControlFactory.h"
#include "ControlNames.h"
#include "FieldTargets.h"
#include "MultiLineBox.h"
#include "ReplyHexBox.h"
#include "SettingsTable.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <array>
#include <utility>
#include <variant>
#include <vector>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// Fields of a framed group share a label column and a row pitch.
constexpr int kRow = 25;
constexpr int kHeight = 21;

int row(int index) {
    return 18 + index * kRow;
}

// The GPRS frame's groups have a pitch and label column of their own.
constexpr bool modemFrame(FormFrame frame) {
    return frame == FormFrame::Server || frame == FormFrame::Apn;
}

// A setting's control where its row in the settings table puts it, beside its label.
void buildSetting(QGroupBox* parent, const SettingRow& each, const ControlFactory& make) {
    const FormPlace& at = each.window.place;
    const bool modem = modemFrame(at.frame);
    const int y = modem ? 20 + at.row * 26 : row(at.row);
    const QRect rect{at.x, y, at.width, kHeight};
    const QString name = s(each.window.control);
    if (std::holds_alternative<CheckField>(each.target)) {
        make.checkBox(parent, name, s(each.window.englishName), rect)
            ->setChecked(each.window.checked);
        return;
    }
    if (each.window.label)
        make.label(parent, s(each.window.label), s(each.window.englishName),
                   {8, y, modem ? 56 : 62, kHeight});
    if (at.list)
        make.comboBox(parent, name, {}, rect);
    else
        make.textBox(parent, name, {}, boxLength(std::get<TextField>(each.target)), rect);
}

// The settings the table puts in `frame`, row by row and left to right.
void buildSettings(QGroupBox* parent, FormFrame frame, const ControlFactory& make) {
    std::vector<const SettingRow*> placed;
    for (const SettingRow& each : settingsTable())
        if (each.window.place.frame == frame)
            placed.push_back(&each);
    std::ranges::sort(placed, {}, [](const SettingRow* each) {
        return std::pair{each->window.place.row, each->window.place.x};
    });
    for (const SettingRow* each : placed)
        buildSetting(parent, *each, make);
}

void buildMain(QWidget* frame1, const ControlFactory& make) {
    QGroupBox* main = make.frame(frame1, s(ctl::MainFrame), s("Main"), {8, 32, 250, 222});
    buildSettings(main, FormFrame::Main, make);
    make.label(main, s(ctl::SsidDashLabel), s("-"), {156, row(0), 10, kHeight});
}

// Degrees, minutes and hundredths of one coordinate with their separators, then
// its hemisphere.
void buildCoordinate(QGroupBox* gps, const ControlFactory& make, int y, const char* labelName,
                     const char* caption, const std::array<TextField, 4>& parts,
                     const char* degrees, const char* hemisphere) {
    const auto box = [&parts](int part) { return s(ctl::box(parts.at(part))); };
    const auto length = [&parts](int part) { return boxLength(parts.at(part)); };
    make.label(gps, s(labelName), s(caption), {8, y, 40, kHeight});
    make.textBox(gps, box(0), s(degrees), length(0), {50, y, 32, kHeight});
    make.label(gps, {}, s("°"), {84, y, 8, kHeight});
    make.textBox(gps, box(1), s("00"), length(1), {94, y, 26, kHeight});
    make.label(gps, {}, s("."), {122, y, 8, kHeight});
    make.textBox(gps, box(2), s("00"), length(2), {132, y, 26, kHeight});
    make.label(gps, {}, s("'"), {160, y, 8, kHeight});
    make.comboBox(gps, box(3), s(hemisphere), {172, y, 56, kHeight});
}

void buildGps(QWidget* frame1, const ControlFactory& make) {
    QGroupBox* gps = make.frame(frame1, s(ctl::GpsFrame), s("GPS"), {8, 258, 250, 96});
    make.option(gps, s(ctl::GpsOption), s("GPS"), {8, row(0), 76, kHeight});
    make.option(gps, s(ctl::FixOption), s("Fix"), {90, row(0), 110, kHeight});
    buildCoordinate(gps, make, row(1), ctl::LatLabel, "Lat:",
                    {TextField::LatDegrees, TextField::LatMinutes, TextField::LatHundredths,
                     TextField::LatHemisphere},
                    "00", "N");
    buildCoordinate(gps, make, row(2), ctl::LonLabel, "Long:",
                    {TextField::LonDegrees, TextField::LonMinutes, TextField::LonHundredths,
                     TextField::LonHemisphere},
                    "000", "E");
}

void buildRightColumn(QWidget* frame1, const ControlFactory& make) {
    QGroupBox* setup = make.frame(frame1, s(ctl::SetupFrame), s("Setup"), {266, 32, 247, 72});
    buildSettings(setup, FormFrame::Setup, make);

    // The alias has a row of its own: beside "中继功能" its list would cut "WIDE1+WIDE2".
    QGroupBox* digi = make.frame(frame1, s(ctl::DigiFrame), s("Digipeater"), {266, 108, 247, 73});
    buildSettings(digi, FormFrame::Digipeater, make);

    // Each option as wide as its circle and caption need; "INTERVAL" needs the most.
    QGroupBox* tx = make.frame(frame1, s(ctl::TxModeFrame), s("Tx mode"), {266, 185, 247, 48});
    make.option(tx, s(ctl::SmartOption), s("SMART"), {4, row(0), 69, kHeight});
    make.option(tx, s(ctl::BeaconOffOption), s("Off"), {73, row(0), 46, kHeight});
    make.option(tx, s(ctl::IntervalOption), s("INTERVAL"), {119, row(0), 85, kHeight});
    buildSettings(tx, FormFrame::TxMode, make);

    make.multiLineBox(frame1, s(ctl::StatusLog), {266, 239, 247, 115});
}

void buildButtonRows(QWidget* frame1, const ControlFactory& make) {
    constexpr int kButton = 24;
    constexpr int kTop = 388;
    constexpr int kBottom = 416;
    const int columns[] = {8, 108, 208, 418};
    constexpr int kColumnWidth = 95;

    make.button(frame1, s(ctl::GprsSetupButton), s("GPRS setup"), {8, 360, kColumnWidth, kButton});
    // The row's free room, between GPRS setup and the Vers group.
    make.choiceList(frame1, s(ctl::PresetList), s("Preset..."), {columns[1], 360, 194, kButton});
    make.portList(frame1, s(ctl::PortList), {columns[0], kTop, kColumnWidth, kButton});
    make.button(frame1, s(ctl::ReadButton), s("Read data"),
                {columns[1], kTop, kColumnWidth, kButton});
    make.button(frame1, s(ctl::LoadFileButton), s("Load file"),
                {columns[2], kTop, kColumnWidth, kButton});
    // Wider than the column: "Keep settings" needs it, so the Vers group gives way.
    QCheckBox* keep = make.checkBox(frame1, s(ctl::KeepSettingsCheck), s("Keep settings"),
                                    {405, 360, 108, kButton});
    keep->setChecked(true);
    make.button(frame1, s(ctl::OpenRomButton), s("Open ROM"),
                {columns[3], kTop, kColumnWidth, kButton});
    make.button(frame1, s(ctl::DefaultButton), s("Default"),
                {columns[0], kBottom, kColumnWidth, kButton});
    QPushButton* write = make.button(frame1, s(ctl::WriteButton), s("Write data"),
                                     {columns[1], kBottom, kColumnWidth, kButton});
    // Nothing is read yet that could be written back.
    write->setEnabled(false);
    make.button(frame1, s(ctl::SaveFileButton), s("Save file"),
                {columns[2], kBottom, kColumnWidth, kButton});
    make.button(frame1, s(ctl::UpdateButton), s("update"),
                {columns[3], kBottom, kColumnWidth, kButton});

    QGroupBox* vers = make.frame(frame1, s(ctl::VersionFrame), s("Vers"), {306, 360, 96, 80});
    make.textBox(vers, s(ctl::box(TextField::Version)), s("KITE12"), 0, {6, 46, 84, 22});
    QLineEdit* config =
        make.textBox(frame1, s(ctl::ConfigDateBox), s("Config 20180101"), 0, {310, 378, 88, 22});
    config->setReadOnly(true);
    config->setFrame(false);
    config->setAlignment(Qt::AlignCenter);
    QFont small = config->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    config->setFont(small);
    config->raise();
}

void buildGprsFrame(QWidget* frame1, const ControlFactory& make) {
    QGroupBox* gprs = make.frame(frame1, s(ctl::GprsFrame), s("GPRS "), {8, 32, 505, 408});
    // It covers the groups below it when shown.
    gprs->setAutoFillBackground(true);

    QGroupBox* info = make.frame(gprs, s(ctl::InfoFrame), s("Info"), {8, 18, 489, 190});
    make.multiLineBox(info, s(ctl::gprsInfoBox()), {8, 18, 473, 164});

    QGroupBox* server = make.frame(gprs, s(ctl::ServerFrame), s("GPRS Setup"), {8, 214, 240, 76});
    buildSettings(server, FormFrame::Server, make);

    QGroupBox* apn = make.frame(gprs, s(ctl::ApnFrame), s("APN"), {256, 214, 241, 128});
    make.checkBox(apn, s(ctl::ApnEnableCheck), s("Enable"), {8, 20, 100, kHeight});
    buildSettings(apn, FormFrame::Apn, make);

    make.button(gprs, s(ctl::GprsReadButton), s("Read"), {8, 300, 76, 26});
    make.button(gprs, s(ctl::GprsSaveButton), s("Save"), {90, 300, 76, 26});
    make.button(gprs, s(ctl::GprsExitButton), s("EXIT"), {172, 300, 76, 26});
    make.label(gprs, s(ctl::SimCardLabel), s("Please remove sim card."), {8, 348, 489, 22});
    // Below the note, where the frame is free: the APN group has no room left.
    make.choiceList(gprs, s(ctl::CountryList), s("Country"), {8, 376, 240, kHeight});
    make.choiceList(gprs, s(ctl::OperatorList), s("Operator"), {256, 376, 241, kHeight});
}

// Controls the operations use but the user never sees: beyond the right edge.
void buildOutOfSight(QWidget* form, const ControlFactory& make) {
    constexpr int kX = kClientWidth + 20;
    auto* hex = new ReplyHexBox(form);
    hex->setObjectName(s(ctl::ReplyHex));
    hex->setText(s(" ."));
    hex->setGeometry(FormGeometry(form).rect(kX, 8, 100, 20));
    make.label(form, s(ctl::UpdateStepLabel), {}, {kX, 32, 100, 20});
    make.textBox(form, s(ctl::HiddenBox), {}, 0, {kX, 56, 100, 20});
    make.button(form, s(ctl::OpenPortButton), s("打开串口"), {kX, 80, 100, 24});
}

} // namespace

void buildFormControls(QWidget* form, const ControlFactory& make) {
    QGroupBox* frame1 =
        make.frame(form, s(ctl::FormFrame), {}, {0, 0, kClientWidth, kClientHeight});
    QLabel* title =
        make.label(frame1, s(ctl::TitleLabel), s("KITE12 APRS Config"), {8, 6, 505, 24});
    title->setAlignment(Qt::AlignCenter);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    title->setFont(titleFont);

    buildMain(frame1, make);
    buildGps(frame1, make);
    buildRightColumn(frame1, make);
    buildButtonRows(frame1, make);
    make.progressBar(frame1, s(ctl::UpdateProgress), {8, 446, 505, 18});
    make.label(frame1, s(ctl::RestartHintLabel), s("If change setup then please restart "),
               {170, 478, 242, 22});
    make.button(frame1, s(ctl::RestartButton), s("restart"), {418, 476, 95, 26});
    buildGprsFrame(frame1, make);

    // Wide enough for "Connection is successful".
    QLineEdit* counter = make.textBox(form, s(ctl::CounterBox), s("0/10"), 0, {8, 478, 156, 22});
    counter->setReadOnly(true);
    counter->raise();
    buildOutOfSight(form, make);
}
