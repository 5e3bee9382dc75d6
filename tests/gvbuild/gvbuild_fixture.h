// A scratch directory for manifests, their source files and the media.
#pragma once

#include "gvmain/format/event_classes.h"
#include "tools/gvbuild/manifest.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class GvbuildTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    void WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) const;
    void WriteText(const std::string& name, const std::string& text) const {
        WriteFile(name, std::vector<uint8_t>(text.begin(), text.end()));
    }
    std::vector<uint8_t> ReadFile(const std::string& path) const;
    gvbuild::ManifestLoad Read(const std::string& manifest) const {
        return gvbuild::ReadManifest(manifest, Path("product.toml"), classes_);
    }

    std::filesystem::path dir_;
    gvmain::EventClassRegistry classes_;
};

// Bytes that zlib cannot shrink.
std::vector<uint8_t> NoiseBytes(size_t size, uint32_t seed);
