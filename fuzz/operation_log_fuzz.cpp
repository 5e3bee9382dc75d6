// libFuzzer target: any bytes given to the operation log reader are either
// refused as bad data or read. What was read writes back, reads again to the
// same records, and writes the same bytes a second time. (The first writing
// may differ from the input: mode-2 records are dropped and short strings
// stored in the long form come out short.)
#include "gvmain/format/log_reader.h"

#include <cstdio>
#include <cstdlib>

namespace {

void Fail(const char* why) {
    std::fprintf(stderr, "%s\n", why);
    std::abort();
}

std::vector<uint8_t> WriteBack(const gvmain::LogContents& contents) {
    gvmain::PortableStream stream(gvmain::IntWidth::Bits32);
    if (!gvmain::WriteLogHeader(stream, contents.header))
        Fail("a header that was read cannot be written");
    for (const auto& record : contents.records) {
        if (!gvmain::WriteRecord(stream, *record))
            Fail("a record that was read cannot be written");
        gvmain::FormatDetails(record->Details());
    }
    return stream.Data();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    gvmain::LogContents first = gvmain::ParseOperationLog(std::vector<uint8_t>(data, data + size));
    if (!first.error.empty())
        return 0;
    std::vector<uint8_t> written = WriteBack(first);
    gvmain::LogContents second = gvmain::ParseOperationLog(written);
    if (!second.error.empty())
        Fail("a log the program wrote was refused");
    if (second.records.size() != first.records.size())
        Fail("reading a written log gave another number of records");
    if (WriteBack(second) != written)
        Fail("writing a log read back changed it");
    return 0;
}
