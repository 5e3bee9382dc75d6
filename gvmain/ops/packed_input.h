// The plain bytes of a packaged file: the spanning reader's bytes, passed
// through the decompressor when the file is compressed.
#pragma once

#include "gvmain/ops/decompressor.h"
#include "gvmain/ops/spanning_reader.h"

namespace gvmain {

class PackedInput {
public:
    PackedInput(const PackedSource& source, bool compressed, OperationHost& host)
        : reader_(source, host), host_(host), compressed_(compressed) {}

    bool Open();
    // Fills `buffer` as far as the file goes: the count, short only at the
    // end, or -1 on failure (a read error, damaged packed data).
    int Fill(void* buffer, int size);

private:
    int ReadSome(void* buffer, int size);

    SpanningReader reader_;
    Decompressor decompressor_;
    OperationHost& host_;
    bool compressed_;
};

}  // namespace gvmain
