#include "platform/printsvg.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include <dlfcn.h>

namespace platform {

namespace {

// Where the module is: beside an installation's program, or (for tests, which run elsewhere) the build's copy.
std::string ModulePath()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        const std::filesystem::path installed = program.parent_path() / RATIOGRAPH_PRINTSVG_FROM_PROGRAM;
        if (std::filesystem::exists(installed, error))
            return installed.string();
    }
    return RATIOGRAPH_PRINTSVG_BUILT;
}

const CPrintSvg* Load()
{
    const std::string strPath = ModulePath();
    void* pModule = dlopen(strPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (pModule == nullptr) {
        std::fprintf(stderr, "ratiograph: cannot load the printing module: %s\n", dlerror());
        return nullptr;
    }
    using Entry = const CPrintSvg* (*)();
    const auto entry = reinterpret_cast<Entry>(dlsym(pModule, kPrintSvgEntry));
    const CPrintSvg* pPrintSvg = entry != nullptr ? entry() : nullptr;
    if (pPrintSvg == nullptr || pPrintSvg->nVersion != kPrintSvgVersion) {
        std::fprintf(stderr, "ratiograph: %s: not this program's printing module\n", strPath.c_str());
        return nullptr;
    }
    return pPrintSvg; // kept loaded for the rest of the run
}

} // namespace

const CPrintSvg* PrintSvg()
{
    static const CPrintSvg* const pPrintSvg = Load();
    return pPrintSvg;
}

} // namespace platform
