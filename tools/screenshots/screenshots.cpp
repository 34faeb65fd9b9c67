// Takes pictures of the main window and of the prompt dialog in each of its
// modes, as a person sees them, so that they can be looked at after a change
// of layout or artwork. Run it through take.sh, under a virtual screen.
#include "bank_layouts/banklist.h"
#include "bank_layouts/layoutfile.h"
#include "calibration/caischq3.h"
#include "journal/chequerecorder.h"
#include "journal/journal.h"
#include "layout_editor/form2.h"
#include "layout_editor/numberfield.h"
#include "layout_editor/placementview.h"
#include "main_window/program.h"
#include "platform/clock.h"
#include "platform/printingsystem.h"
#include "prompt_dialog/form97.h"
#include "prompt_dialog/form97talk.h"
#include "window_services/textfield.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTimer>

namespace {

void shoot(const QString &path)
{
    QApplication::processEvents();
    QApplication::primaryScreen()->grabWindow(0).save(path);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();

    platform::SystemClock clock;
    platform::QtPrintingSystem printing;
    prompt_dialog::Form97Talk talk;
    // Nothing is printed here: the journal is never opened.
    journal::JournalRecorder recorder(journal::JournalFileName, clock, talk);
    main_window::Program program({clock, printing, talk, recorder});
    main_window::Form1 &window = program.window();
    program.session().startUp();
    window.show();
    QTimer::singleShot(300, &app, [&] { QCoreApplication::exit(0); });
    QApplication::exec();
    shoot(out + QStringLiteral("/main-window.png"));

    const struct
    {
        const char *name;
        int value;
        const char *text;
    } modes[] = {
        {"message", 0, "Cette banque n'est pas définie !"},
        {"question", 4, "Voulez vous imprimer une page de cheques de tests ?"},
        {"input", 129, "Entrez le montant du chèque ?|1575.98"},
        {"input-upper-case", 1129, "Entrez le N° se trouvant dans le coin haut-gauche de votre chéque ?|"},
        {"search", 129, "*Entrez un code pour cette banque ( Max 5 caractères ) ?|"},
        {"three-buttons", 14, "Que voulez-vous faire ?"},
    };
    for (const auto &mode : modes) {
        QTimer::singleShot(300, &app, [&] {
            shoot(out + QStringLiteral("/dialog-%1.png").arg(QLatin1String(mode.name)));
            if (auto *dialog = QApplication::activeModalWidget())
                dialog->close();
        });
        prompt_dialog::showForm97(QString::fromUtf8(mode.text), mode.value, &window);
    }

    // The layout editor on the first bank, its preview with the value of the
    // amount's place focused, and the printer set-up window.
    const bank_layouts::BankList banks = bank_layouts::charge_banque();
    if (!banks.files[0].isEmpty()) {
        layout_editor::Form2 editor(program.session().editorData(), {banks.files[0], {}}, &window);
        if (editor.load()) {
            editor.show();
            editor.Text4[0]->setFocus();
            QTimer::singleShot(300, &app, [&] { QCoreApplication::exit(0); });
            QApplication::exec();
            shoot(out + QStringLiteral("/editor.png"));
            // Its placement window, the amount selected.
            editor.showPlacement();
            editor.Vue->select(0);
            QTimer::singleShot(300, &app, [&] { QCoreApplication::exit(0); });
            QApplication::exec();
            shoot(out + QStringLiteral("/placement.png"));
            editor.Placement->close();
        }
    }
    calibration::Caischq3 setup(program.session().editorData(), &window);
    setup.show();
    QTimer::singleShot(300, &app, [&] { QCoreApplication::exit(0); });
    QApplication::exec();
    shoot(out + QStringLiteral("/set-up.png"));
    return 0;
}
