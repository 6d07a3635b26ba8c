// Linked into every program of a sanitizer build (ZELVO_SANITIZE).
//
// The browser engine loads the Mesa GL driver, and unloads it again when its
// last context goes. Blocks the driver still held then are no longer
// reachable, and the leak check at exit reports them from "<unknown module>",
// where no suppression can name them. Loaded here first and never unloaded,
// the driver keeps what it holds reachable, as in any process that ends with
// it loaded.
#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

__attribute__((constructor)) void keepGlDriverLoaded()
{
    std::string dirs = "/usr/lib/x86_64-linux-gnu/dri:/usr/lib64/dri:/usr/lib/dri";
    if (const char *own = std::getenv("LIBGL_DRIVERS_PATH"))
        dirs = std::string(own) + ':' + dirs;
    for (const char *driver : {"swrast_dri.so", "kms_swrast_dri.so"}) {
        std::size_t from = 0;
        while (from <= dirs.size()) {
            const std::size_t to = std::min(dirs.find(':', from), dirs.size());
            const std::string path = dirs.substr(from, to - from) + '/' + driver;
            if (dlopen(path.c_str(), RTLD_LAZY | RTLD_NODELETE))
                break;
            from = to + 1;
        }
    }
}

} // namespace
