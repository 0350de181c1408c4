// Renders the real main window, as its user sees it, into two pictures:
//   main-identical.png   two identical files dropped, the verdict shown
//   main-folder.png      a folder dropped on the first area and refused
// Run under the offscreen platform (scripts/pictures.sh); the argument is the folder the pictures go to.
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/Startup.h"
#include "bench/Driver.h"
#include "bench/Measure.h"
#include "ui/main/MainWIndow.h"

namespace corvantil::bench {
namespace {

void Settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool Save(const MainWIndow& window, const std::string& path) {
    Settle();
    const QPixmap picture = TopLevel(window)->grab();
    if (!picture.save(QString::fromStdString(path), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%s (%dx%d)\n", path.c_str(), picture.width(), picture.height());
    return true;
}

// A new main window, as after start-up.
platform::Ref<MainWIndow> NewWindow() {
    PrepareFramework();
    auto window = corvantil::MainWIndow::Instance();
    TopLevel(*window)->show();
    Settle();
    return window;
}

void CloseWindow(platform::Ref<MainWIndow>& window) {
    window->Close();
    window.reset();
    corvantil::finalize();
}

int Pictures(const std::string& out) {
    // A fixed folder, so that the pictures show the same paths each time they are made.
    const std::string base = "/tmp/corvantil-pictures";
    if (::mkdir(base.c_str(), 0755) != 0) {
        std::fprintf(stderr, "cannot make %s (remove it if a run before left it)\n", base.c_str());
        return 2;
    }
    struct Cleanup {
        const std::string& base;
        ~Cleanup() {
            for (const char* file : {"/Photos/holiday.jpg", "/Backup/holiday.jpg"})
                ::unlink((base + file).c_str());
            for (const char* folder : {"/Photos", "/Backup", ""}) ::rmdir((base + folder).c_str());
        }
    } cleanup{base};
    const std::string photos = base + "/Photos";
    const std::string backup = base + "/Backup";
    ::mkdir(photos.c_str(), 0755);
    ::mkdir(backup.c_str(), 0755);
    WriteFile(photos + "/holiday.jpg", 3u << 20);
    WriteFile(backup + "/holiday.jpg", 3u << 20);

    bool ok = true;
    auto window = NewWindow();
    DropPath(*window, 1, photos + "/holiday.jpg");
    DropPath(*window, 2, backup + "/holiday.jpg");
    if (ResultText(*window) != kIdentical) {
        std::fprintf(stderr, "the verdict is \"%s\", not \"%s\"\n", ResultText(*window).c_str(), kIdentical);
        ok = false;
    }
    ok = Save(*window, out + "/main-identical.png") && ok;
    CloseWindow(window);

    window = NewWindow();
    DropPath(*window, 1, photos);
    ok = Save(*window, out + "/main-folder.png") && ok;
    CloseWindow(window);
    platform::RuntimeExit();
    return ok ? 0 : 1;
}

}  // namespace
}  // namespace corvantil::bench

int main(int argc, char** argv) {
    corvantil::bench::QuietOffscreenNotices();
    if (argc != 2) {
        std::fprintf(stderr, "usage: corvantil_pictures FOLDER\n");
        return 2;
    }
    try {
        return corvantil::bench::Pictures(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pictures failed: %s\n", e.what());
        return 2;
    }
}
