// A window with the list view as the transmission window sets it up, for
// trying drags, resizing, editing and hints by hand:
//   listview_try [number of files] [band]
// "band" turns on multiple selection and the rubber band.
#include "../tests/listview/Transmission.h"
#include "listview/qt/LumeListviewWidget.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

using namespace lume;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int files = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 40;
    QDialog window;
    window.setWindowTitle(QStringLiteral("Lista de arquivos"));
    auto* lv = new TLumeListview(&window);
    auto* status = new QLabel(&window);
    auto* images = new LumeImageList(16, 16, &window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(lv);
    layout->addWidget(status);
    test::SetUpTransmission(*lv->Core(), *images);
    lv->SetImagesSmall(images);
    (*lv)->HintType = TLumeHintType::ehtToolTip;
    (*lv)->EditManager->SetEnabled(true);
    (*lv)->IncrementalSearch->Enabled = true;
    if (argc > 2 && QString::fromLocal8Bit(argv[2]) == QStringLiteral("band")) {
        (*lv)->Selection()->SetMultiSelect(true);
        (*lv)->Selection()->SetEnableDragSelect(true);
    }
    (*lv)->OnItemSelectionChanging = [status](TLV*, TLumeItem* item, bool&) {
        status->setText(QStringLiteral("Arquivo %1: %2").arg(item->Index() + 1).arg(item->Captions(8)));
    };
    test::ListFiles(*lv->Core(), files);
    window.resize(980, 420);
    window.show();
    const int result = app.exec();
    (*lv)->DropEventHandlers();
    return result;
}
