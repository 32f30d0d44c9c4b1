#include <QApplication>

#include "app/app_info.h"
#include "app/main_window.h"
#include "common/fonts.h"
#include "common/resources_init.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    varnoki::gui::InitResources();
    QApplication::setApplicationName(QStringLiteral("varnoki"));
    QApplication::setFont(varnoki::gui::MingFont(12));
    varnoki::gui::TForm1 window;
    window.show();
    return QApplication::exec();
}
