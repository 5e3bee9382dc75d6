// gvbuild: builds an installation's media from a manifest, or shows a script.
//   gvbuild MANIFEST OUTPUT-DIRECTORY
//   gvbuild --dump install.inf
//   gvbuild --classes
#include "tools/gvbuild/manifest.h"
#include "tools/gvbuild/media_writer.h"
#include "tools/gvbuild/script_dump.h"

#include <iostream>
#include <string>

namespace {

constexpr char usage[] =
    "usage: gvbuild MANIFEST OUTPUT-DIRECTORY   build the media of a product\n"
    "       gvbuild --dump SCRIPT               show an install script as text\n"
    "       gvbuild --classes                   list the event types and their parameters\n";

gvmain::EventClassRegistry Classes() {
    return gvmain::RegisterStandardEventClasses(
        [](const std::string& text) { std::cerr << "gvbuild: " << text << "\n"; });
}

int Dump(const std::string& path) {
    gvmain::EventClassRegistry classes = Classes();
    gvmain::ScriptLoad load = gvmain::LoadScriptFile(path, classes);
    if (!load.error.empty()) {
        std::cerr << "gvbuild: " << path << ": " << load.error << "\n";
        return 1;
    }
    std::cout << gvbuild::DumpScript(load, classes);
    return 0;
}

int Build(const std::string& manifestPath, const std::string& output) {
    gvmain::EventClassRegistry classes = Classes();
    gvbuild::ManifestLoad load = gvbuild::LoadManifestFile(manifestPath, classes);
    if (!load.error.empty()) {
        std::cerr << "gvbuild: " << load.error << "\n";
        return 1;
    }
    gvbuild::MediaResult media = gvbuild::BuildMedia(load.manifest, output, classes);
    if (!media.error.empty()) {
        std::cerr << "gvbuild: " << media.error << "\n";
        return 1;
    }
    for (const std::string& path : media.written)
        std::cout << path << "\n";
    std::cout << media.diskCount << (media.diskCount == 1 ? " disk\n" : " disks\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--classes") {
        std::cout << gvbuild::DumpClasses(Classes());
        return 0;
    }
    if (argc == 3 && std::string(argv[1]) == "--dump")
        return Dump(argv[2]);
    if (argc == 3 && argv[1][0] != '-')
        return Build(argv[1], argv[2]);
    std::cerr << usage;
    return 2;
}
