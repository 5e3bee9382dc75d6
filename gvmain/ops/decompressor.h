// Unpacks a packaged file through lzpunz2.dll. The DLL is loaded by name
// when the stream opens and freed when it closes, and each entry point is
// looked up by name at its call; a missing one counts as the result -1.
#pragma once

#include "gvmain/ops/operation_host.h"
#include "gvmain/ops/spanning_reader.h"
#include "gvmain/ops/win32_handles.h"

#include <cstdint>

namespace gvmain {

class Decompressor {
public:
    Decompressor() = default;
    ~Decompressor() { Close(); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    // Loads the DLL and starts unpacking the bytes of `reader`. Only one
    // Decompressor may be open at a time: the DLL's byte callback has no
    // context argument.
    bool Open(SpanningReader& reader, OperationHost& host);
    // Bytes produced, 0 at the end, -1 on failure.
    int Read(void* buffer, int size);
    void Close();

private:
    ScopedLibrary library_;
    bool open_ = false;
};

}  // namespace gvmain
