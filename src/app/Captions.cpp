#include "Captions.h"
#include "ControlNames.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>
#include <variant>

namespace {

Caption caption(const char* control, const char* english, const char* chinese) {
    return {QString::fromUtf8(control), QString::fromUtf8(english), QString::fromUtf8(chinese)};
}

void setCaption(QWidget* control, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else if (auto* frame = qobject_cast<QGroupBox*>(control))
        frame->setTitle(text);
    else if (auto* list = qobject_cast<QComboBox*>(control))
        list->setPlaceholderText(text);
}

// The labels and check boxes of the settings, captioned with their names.
QList<Caption> settingCaptions() {
    QList<Caption> captions;
    for (const SettingRow& each : settingsTable()) {
        const WindowBox& window = each.window;
        const bool check = std::holds_alternative<CheckField>(each.target);
        if ((window.label || check) && qstrcmp(window.chineseName, window.englishName) != 0)
            captions.append(caption(check ? window.control : window.label, window.englishName,
                                    window.chineseName));
    }
    return captions;
}

} // namespace

const QList<Caption>& bilingualCaptions() {
    static const QList<Caption> others = {
        caption(ctl::TitleLabel, "KITE12 APRS Config", "KITE12系列配置软件"),
        caption(ctl::LonLabel, "Long:", "经度"),
        caption(ctl::LatLabel, "Lat:", "纬度"),
        caption(ctl::SetupFrame, "Setup", "设置"),
        caption(ctl::DigiFrame, "Digipeater", "中继功能"),
        caption(ctl::TxModeFrame, "Tx mode", "发射模式"),
        caption(ctl::FixOption, "Fix", "固定坐标"),
        caption(ctl::BeaconOffOption, "Off", "关"),
        caption(ctl::SmartOption, "SMART", "智能"),
        caption(ctl::IntervalOption, "INTERVAL", "定时"),
        caption(ctl::DefaultButton, "Default", "默认数据"),
        caption(ctl::ReadButton, "Read data", "读取数据"),
        caption(ctl::WriteButton, "Write data", "写入数据"),
        caption(ctl::LoadFileButton, "Load file", "载入数据"),
        caption(ctl::SaveFileButton, "Save file", "保存数据"),
        caption(ctl::OpenRomButton, "Open ROM", "打开升级文件"),
        caption(ctl::UpdateButton, "update", "开始升级"),
        caption(ctl::KeepSettingsCheck, "Keep settings", "保留设置"),
        caption(ctl::PresetList, "Preset...", "预设..."),
        caption(ctl::RestartButton, "restart", "重启"),
        caption(ctl::GprsSetupButton, "GPRS setup", "GPRS 设置"),
        caption(ctl::CountryList, "Country", "国家或地区"),
        caption(ctl::OperatorList, "Operator", "运营商"),
        caption(ctl::RestartHintLabel, "If change setup then please restart ",
                "如果修改了数据,重启后生效."),
    };
    static const QList<Caption> captions = settingCaptions() + others;
    return captions;
}

void applyChineseCaptions(QWidget* form) {
    for (const Caption& entry : bilingualCaptions())
        if (auto* control = form->findChild<QWidget*>(entry.control))
            setCaption(control, entry.chinese);
}
