#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <mutex>
#include <stdexcept>

#include "canvas/PdfDocument.h"
#include "canvas/PictureCanvas.h"

namespace vornik {

namespace {

std::string ExecutableDir() {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) {
        return std::string();
    }
    const std::string exe(buffer, static_cast<size_t>(n));
    return exe.substr(0, exe.find_last_of('/'));
}

// The module lives in <prefix>/<libdir>/vornik beside the program's <prefix>/bin and is found
// from the program's own place only. No fixed folder is searched: a build folder removed after
// installing, and made again by someone else, can never put code into the program. The build
// tree has the same layout.
void* LoadModule(std::string& error) {
    const std::string dir = ExecutableDir();
    if (dir.empty()) {
        error = "папка самой программы неизвестна";
        return nullptr;
    }
    const std::string path = dir + "/../" VORNIK_CANVAS_MODULE_RELATIVE_PATH;
    // The module stays loaded for the life of the process: its canvases may outlive any caller.
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        error = ::dlerror();
    }
    return handle;
}

// The module's entry of that name, loading the module on first use.
void* Entry(const char* name) {
    static std::once_flag once;
    static void* handle = nullptr;
    static std::string error;
    std::call_once(once, [] { handle = LoadModule(error); });
    if (handle == nullptr) {
        throw std::runtime_error("не загружается модуль рисунков: " + error);
    }
    // dlsym and dlerror are called under a lock: dlerror's text is per thread but the lookups are few.
    static std::mutex lock;
    const std::lock_guard<std::mutex> hold(lock);
    if (void* entry = ::dlsym(handle, name)) {
        return entry;
    }
    const char* why = ::dlerror();
    throw std::runtime_error("не загружается модуль рисунков: " + std::string(why ? why : name));
}

}  // namespace

std::unique_ptr<PictureCanvas> MakeHeadlessCanvas() {
    const auto make = reinterpret_cast<MakeHeadlessCanvasFn>(Entry(kHeadlessCanvasEntry));
    return std::unique_ptr<PictureCanvas>(make());
}

std::string BuildPdf(const PdfContent& content) {
    std::string bytes;
    reinterpret_cast<BuildPdfEntryFn>(Entry(kBuildPdfEntry))(content, bytes);
    return bytes;
}

}  // namespace vornik
