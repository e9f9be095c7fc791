#include "console/servo_mid_dialog.h"

namespace tarvel::console {

servomid::servomid(std::function<void()> on_accept, QWidget* parent)
    : ConfirmWindow({.caption = QStringLiteral("记录中立位置"),
                     .text = QStringLiteral(
                         "此命令将使飞控记录当前的通道值做为中立的值。比如当通道1 的当前值为1550  "
                         "那么在完成记录中立后，飞控下次接收到的1550 将会被记为1500us. 此时1600us "
                         "的输入，飞控也会当成 1550us处理。你确定要记录当前的值做为中立值吗？"),
                     .accept_text = QStringLiteral("记录"),
                     .cancel_text = QStringLiteral("取消"),
                     .size = {400, 190},
                     .text_place = {20, 16, 360, 110},
                     .accept_place = {90, 140, 90, 30},
                     .cancel_place = {220, 140, 90, 30},
                     .cancel_is_default = true},
                    std::move(on_accept), parent) {}

}  // namespace tarvel::console
