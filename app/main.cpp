#include "FileFolder.h"
#include "Unit1.h"
#include "qt_services.h"
#include "settings.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("brindlecot");

    QtBoxes boxes;
    FileFolderChooser chooser(boxes);
    XdgDesktopShell shell;
    TForm1 Form1({boxes, chooser, shell, DecoderPath, SettingsPath()});
    boxes.SetOwner(&Form1);
    chooser.SetOwner(&Form1);
    Form1.show();
    return QApplication::exec();
}
