#pragma once

#include <QString>

namespace varnoki::gui {

// The publisher is a made-up workshop; its addresses use a domain reserved for examples.
inline const QString kPublisherName = QStringLiteral("小齒輪創客工坊");
inline const QString kApplicationTitle = QStringLiteral("VARNOKI流程圖(RODE8)------") + kPublisherName;
inline const QString kPublisherDetails =
    kPublisherName + QStringLiteral("\n給小朋友與愛好者的機器人程式設計工具\n歡迎老師與同學來信交流。");
inline const QString kPublisherHomePage = QStringLiteral("https://xiaochilun.example.org/");
inline const QString kPublisherLessonsPage = QStringLiteral("https://xiaochilun.example.org/lessons/");

}  // namespace varnoki::gui
