// Orvelin: the toolkit first, then the program's own start-up.
#include "orvelin_app.h"
#include "version.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication toolkit(argc, argv);
    // The application's name stays the program file's name, the caption of
    // every message box.
    QApplication::setApplicationVersion(QString::fromUtf8(orvelin::res::kFileVersion));
    return orvelin::RunOrvelin();
}
