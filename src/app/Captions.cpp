#include "Captions.h"
#include "ControlNames.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

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

} // namespace

const QList<Caption>& bilingualCaptions() {
    static const QList<Caption> captions = {
        caption(ctl::TitleLabel, "KITE12 APRS Config", "KITE12系列配置软件"),
        caption(ctl::label(TextField::Callsign), "Callsign", "呼号"),
        caption(ctl::label(TextField::Passcode), "Pass", "密码"),
        caption(ctl::label(TextField::Comment), "Comment", "坐标和信息"),
        caption(ctl::label(TextField::Status), "Status", "状态信息"),
        caption(ctl::label(TextField::Server), "Server", "服务器"),
        caption(ctl::label(TextField::Path), "Path", "发射路径"),
        caption(ctl::label(TextField::PttDelay), "PTTdelay", "发射延时"),
        caption(ctl::label(TextField::Symbol), "Symbol", "标识"),
        caption(ctl::label(TextField::Backlight), "Backlight", "背光时间"),
        caption(ctl::label(TextField::Unit), "Unit", "单位"),
        caption(ctl::LonLabel, "Long:", "经度"),
        caption(ctl::LatLabel, "Lat:", "纬度"),
        caption(ctl::DigiCheck, "DIGI", "中继功能"),
        caption(ctl::label(TextField::Modulation), "TX vol", "调制度"),
        caption(ctl::label(TextField::Alias), "Alias", "转发路径"),
        caption(ctl::SetupFrame, "Setup", "设置"),
        caption(ctl::DigiFrame, "Digipeater", "中继功能"),
        caption(ctl::TxModeFrame, "Tx mode", "发射模式"),
        caption(ctl::MicECheck, "MIC_E", "压缩格式"),
        caption(ctl::BeepCheck, "Beep", "蜂鸣"),
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
    return captions;
}

void applyChineseCaptions(QWidget* form) {
    for (const Caption& entry : bilingualCaptions())
        if (auto* control = form->findChild<QWidget*>(entry.control))
            setCaption(control, entry.chinese);
}
