#include "main/dialog2.h"

namespace tarvel::main_window {

Dialog2::Dialog2(std::function<void()> on_accept, QWidget* parent)
    : ConfirmWindow({.caption = QStringLiteral("陀螺仪初始化"),
                     .text = QStringLiteral("请将模块静止放置，以便采集陀螺仪的零偏"),
                     .accept_text = QStringLiteral("确定"),
                     .cancel_text = QStringLiteral("取消"),
                     .size = {340, 130},
                     .text_place = {20, 20, 300, 40},
                     .accept_place = {70, 80, 90, 30},
                     .cancel_place = {180, 80, 90, 30}},
                    std::move(on_accept), parent) {}

}  // namespace tarvel::main_window
