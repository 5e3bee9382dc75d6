// How the uninstaller hands itself over to a copy at the root of the drive,
// and how the file mover "movexe.exe" finishes the work after it has ended:
// the uninstaller's own files, the back directory in section "GVMAIN" of
// win.ini, and the orders in "movexe.ini" of the Windows directory.
#pragma once

#include <string>
#include <vector>

namespace gvmain {

// "c:" or "c:\", or "\\server\share" with nothing after the share.
bool IsDriveRoot(const std::string& directory);

// "gvmain.exe", "gv<code>.dll", "guuser.dll": in this order; only the first
// two must exist.
std::vector<std::string> OwnFileNames(const std::string& languageCode);

// Moves the own files from directory `from` to directory `to` (rename, or
// copy and delete). A missing first or second file fails with "%s not
// found" (its path) in `error`, after moving back those already moved.
bool MoveOwnFiles(const std::vector<std::string>& names, const std::string& from, const std::string& to,
                  std::string& error);
// Moves back every own file that is in `from` (the running program's,
// which may not move, is left to the file mover).
void ReturnOwnFiles(const std::vector<std::string>& names, const std::string& from, const std::string& to);
// Deletes the own files in `directory` that can be deleted (the running
// program cannot: the file mover removes it later).
void DeleteOwnFiles(const std::vector<std::string>& names, const std::string& directory);

// Section "GVMAIN" of win.ini: the back directory ("b") and, for an
// unattended run, "s" = "1", read once by the copy at the drive root.
struct HandOver {
    std::string backDirectory;
    bool unattended = false;
};
void WriteHandOver(const HandOver& handOver);
// Reads and removes the section; an empty back directory when it is missing
// (the section then stays as it was).
HandOver TakeHandOver();
void RemoveHandOver();

// The order to the file mover: the file `from`, the directory `to` (empty:
// delete the file), and whether to start the moved program.
struct MoverOrder {
    std::string from;
    std::string to;
    bool launch = false;
};
constexpr char moverIniName[] = "movexe.ini";
constexpr char moverProgramName[] = "movexe.exe";

// Writes the order and starts "movexe.exe" of the Windows directory with
// the platform's program-start call; false when it cannot be started, and
// then no order is left behind.
bool OrderMover(const std::string& windowsDirectory, const MoverOrder& order);

}  // namespace gvmain
