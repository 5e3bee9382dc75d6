// Writes the seed corpus of the operation log fuzz target with the log's
// own writer: a log with a header only, and one with a record of every kind
// in each mode, a long-form string among them. Usage: operation_log_seeds DIR
#include "gvmain/format/operation_log.h"

#include <cstdio>
#include <string>

namespace {

void WriteEveryKind(gvmain::OperationLog& log) {
    const gvmain::RegistryKey key{"Software\\Tolvane\\Vorlen", 2};
    const std::vector<uint8_t> data = {'a', 'b', 0};
    log.DirCreated("C:\\App");
    log.DirRemoved("C:\\Old");
    log.FileMoved("C:\\App\\a.tmp", std::string(300, 'x'));
    log.FileDeleted("C:\\App\\gone.txt");
    log.FileCreated("C:\\App\\vorlen.exe");
    log.FileLengthened("C:\\App\\log.txt", 12);
    log.AttributesChanged("C:\\App\\vorlen.exe", 0x20, 0x21);
    log.IniSectionAdded("C:\\Windows\\win.ini", "Vorlen");
    log.IniSectionDeleted("C:\\Windows\\win.ini", "Old");
    log.IniEntryAdded("C:\\Windows\\system.ini", "386Enh", "device", 1);
    log.IniEntryDeleted("C:\\Windows\\system.ini", "386Enh", "device", "a.386", 0);
    log.IniEntryChanged("C:\\Windows\\win.ini", "Vorlen", "Path", "C:\\Old", 0);
    log.GroupCreated("Vorlen");
    log.GroupDeleted("Old");
    log.ItemCreated("Vorlen", "Vorlen");
    log.ItemDeleted("Old", std::vector<uint8_t>(gvmain::programItemDescriptionSize, 0));
    log.RegKeyCreated(key);
    log.RegKeyDeleted(key);
    log.RegValueCreated(key, "Path");
    log.RegValueChanged(key, "Path", 1, data);
    log.RegValueDeleted(key, "Old", 3, data);
    log.FontAdded("C:\\Windows\\Fonts\\vorlen.ttf");
    log.UserData(5, {0xff});
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: operation_log_seeds DIR\n");
        return 2;
    }
    const std::string directory = argv[1];
    gvmain::LogHeader header;
    header.languageNumber = 9;
    header.buildIdA = 1;
    header.buildIdB = 2;
    header.productName = "Vorlen";
    gvmain::OperationLog empty;
    gvmain::OperationLog records;
    if (!empty.Open(directory + "/empty.log", header) || !records.Open(directory + "/records.log", header)) {
        std::fprintf(stderr, "cannot write the seeds in %s\n", directory.c_str());
        return 1;
    }
    for (int32_t mode = 0; mode <= 2; ++mode) {
        records.SetMode(mode);
        WriteEveryKind(records);
    }
    return 0;
}
