#include "about_box.h"

#include "services.h"

namespace tray {

const char kAboutText[] = "功能简介:\r\n1.提醒功能\r\n2.关机功能\r\n3.托盘图标\r\ntamsoven\r\n2014.11.8";
const char kAboutCaption[] = "关于软件";

void show_about_box() {
  // Style 0: a lone OK button and no icon; the message box service makes
  // every box without the system-modal bit task-modal.
  svc::message_box(kAboutText, svc::kBoxOk, kAboutCaption);
}

}  // namespace tray
