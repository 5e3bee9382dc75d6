#include "gvbuild_fixture.h"

#include <fstream>
#include <iterator>
#include <random>

void GvbuildTest::SetUp() {
    std::string name =
        std::string("gvbuild-") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    dir_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    classes_ = gvmain::RegisterStandardEventClasses([](const std::string& text) { FAIL() << text; });
}

void GvbuildTest::TearDown() {
    std::filesystem::remove_all(dir_);
}

void GvbuildTest::WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) const {
    std::filesystem::create_directories((dir_ / name).parent_path());
    std::ofstream out(Path(name), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> GvbuildTest::ReadFile(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> NoiseBytes(size_t size, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> bytes(size);
    for (uint8_t& byte : bytes)
        byte = static_cast<uint8_t>(random());
    return bytes;
}
