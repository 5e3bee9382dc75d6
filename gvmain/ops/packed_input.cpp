#include "gvmain/ops/packed_input.h"

#include <cstdint>

namespace gvmain {

bool PackedInput::Open() {
    if (!reader_.Open()) {
        return false;
    }
    return !compressed_ || decompressor_.Open(reader_, host_);
}

int PackedInput::Fill(void* buffer, int size) {
    auto* out = static_cast<uint8_t*>(buffer);
    int filled = 0;
    while (filled < size) {
        int got = ReadSome(out + filled, size - filled);
        if (got < 0) {
            return -1;
        }
        if (got == 0) {
            break;
        }
        filled += got;
    }
    return filled;
}

int PackedInput::ReadSome(void* buffer, int size) {
    if (!compressed_) {
        return reader_.Read(buffer, size);
    }
    int got = decompressor_.Read(buffer, size);
    // A stream that ends because its packed bytes failed is damaged.
    return reader_.Failed() || got > size ? -1 : got;
}

}  // namespace gvmain
