#include "Captions.h"

#include <QAbstractButton>
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
}

} // namespace

const QList<Caption>& bilingualCaptions() {
    static const QList<Caption> captions = {
        caption("Label3", "KITE12 APRS Config", "KITE12系列配置软件"),
        caption("Label4", "Callsign", "呼号"),
        caption("Label1", "Pass", "密码"),
        caption("Label6", "Comment", "坐标和信息"),
        caption("Label11", "Status", "状态信息"),
        caption("Label7", "Server", "服务器"),
        caption("Label5", "Path", "发射路径"),
        caption("Label13", "PTTdelay", "发射延时"),
        caption("Label14", "Symbol", "标识"),
        caption("Label18", "Backlight", "背光时间"),
        caption("Label19", "Unit", "单位"),
        caption("Label16", "Long:", "经度"),
        caption("Label17", "Lat:", "纬度"),
        caption("Check1", "DIGI", "中继功能"),
        caption("Label24", "TX vol", "调制度"),
        caption("Label26", "Alias", "转发路径"),
        caption("Frame5", "Setup", "设置"),
        caption("Frame4", "Digipeater", "中继功能"),
        caption("Frame6", "Tx mode", "发射模式"),
        caption("Check2", "MIC_E", "压缩格式"),
        caption("Check3", "Beep", "蜂鸣"),
        caption("Option1_1", "Fix", "固定坐标"),
        caption("Option3_1", "Off", "关"),
        caption("Option3_0", "SMART", "智能"),
        caption("Option3_2", "INTERVAL", "定时"),
        caption("Command0", "Default", "默认数据"),
        caption("Command6", "Read data", "读取数据"),
        caption("Command7", "Write data", "写入数据"),
        caption("Command4", "Load file", "载入数据"),
        caption("Command5", "Save file", "保存数据"),
        caption("Command1", "Open ROM", "打开升级文件"),
        caption("Command2", "update", "开始升级"),
        caption("Command9", "restart", "重启"),
        caption("Command15", "GPRS setup", "GPRS 设置"),
        caption("Label22", "If change setup then please restart ", "如果修改了数据,重启后生效."),
    };
    return captions;
}

void applyChineseCaptions(QWidget* form) {
    for (const Caption& entry : bilingualCaptions())
        if (auto* control = form->findChild<QWidget*>(entry.control))
            setCaption(control, entry.chinese);
}
