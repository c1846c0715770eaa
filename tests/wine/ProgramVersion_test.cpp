// The version resources of the built programs as Windows reads them for a file's
// properties (GetFileVersionInfoA, VerQueryValueA), against the version in the
// product's manifest.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "tests/wine/ProgramFolder.h"
#include "tests/wine/SuiteHandles.h"
#include "version/Version.h"

namespace {

using winbed::UniqueModule;

const char* const kPrograms[] = {"QuorvinSetup.exe", "quorvin.exe", "kevra64.exe"};

// The assemblyIdentity version of a program's manifest, read from its file.
std::string ManifestVersion(const std::string& path) {
    const UniqueModule module(::LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!module) {
        return "<cannot load>";
    }
    const HRSRC found =
        ::FindResourceA(module.get(), CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    const HGLOBAL loaded = found ? ::LoadResource(module.get(), found) : nullptr;
    const auto* data = loaded ? static_cast<const char*>(::LockResource(loaded)) : nullptr;
    if (data == nullptr) {
        return "<no manifest>";
    }
    const std::string manifest(data, ::SizeofResource(module.get(), found));
    const std::string lead = "<assemblyIdentity version=\"";
    const std::size_t start = manifest.find(lead);
    if (start == std::string::npos) {
        return "<no assembly version>";
    }
    const std::size_t from = start + lead.size();
    return manifest.substr(from, manifest.find('"', from) - from);
}

class VersionBlock {
  public:
    explicit VersionBlock(const std::string& path) {
        DWORD ignored = 0;
        const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
        if (size != 0) {
            block_.resize(size);
            if (!::GetFileVersionInfoA(path.c_str(), 0, size, block_.data())) {
                block_.clear();
            }
        }
    }
    bool Present() const { return !block_.empty(); }

    template <typename T>
    const T* Value(const std::string& subBlock, UINT* size = nullptr) {
        void* value = nullptr;
        UINT length = 0;
        if (!::VerQueryValueA(block_.data(), subBlock.c_str(), &value, &length) ||
            length < (std::is_same_v<T, char> ? 1u : sizeof(T))) {
            return nullptr;
        }
        if (size != nullptr) {
            *size = length;
        }
        return static_cast<const T*>(value);
    }

    std::optional<std::string> Text(const std::string& name) {
        const char* text = Value<char>("\\StringFileInfo\\040904E4\\" + name);
        return text ? std::optional<std::string>(text) : std::nullopt;
    }

  private:
    std::vector<char> block_;
};

std::string VersionNumbers(DWORD high, DWORD low) {
    return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." +
           std::to_string(HIWORD(low)) + "." + std::to_string(LOWORD(low));
}

}  // namespace

TEST(ProgramVersion, EveryProgramCarriesTheManifestsVersion) {
    using winbed::ProgramFile;
    const std::string version = ManifestVersion(ProgramFile("QuorvinSetup.exe"));
    EXPECT_EQ(version, QUORVIN_VERSION_TEXT);
    EXPECT_EQ(ManifestVersion(ProgramFile("quorvin.exe")), version);
    for (const char* name : kPrograms) {
        SCOPED_TRACE(name);
        VersionBlock block(ProgramFile(name));
        ASSERT_TRUE(block.Present()) << "no version resource";

        const auto* fixed = block.Value<VS_FIXEDFILEINFO>("\\");
        ASSERT_NE(fixed, nullptr);
        EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
        EXPECT_EQ(VersionNumbers(fixed->dwFileVersionMS, fixed->dwFileVersionLS), version);
        EXPECT_EQ(VersionNumbers(fixed->dwProductVersionMS, fixed->dwProductVersionLS), version);

        // The table that the file's properties look up: U.S. English, code page 1252.
        UINT size = 0;
        const auto* translation = block.Value<WORD>("\\VarFileInfo\\Translation", &size);
        ASSERT_NE(translation, nullptr);
        ASSERT_GE(size, 4u);
        EXPECT_EQ(translation[0], 0x0409);
        EXPECT_EQ(translation[1], 1252);

        EXPECT_EQ(block.Text("ProductName"), QUORVIN_PRODUCT_NAME);
        EXPECT_EQ(block.Text("FileVersion"), version);
        EXPECT_EQ(block.Text("ProductVersion"), version);
        EXPECT_EQ(block.Text("OriginalFilename"), name);
        EXPECT_NE(block.Text("FileDescription").value_or(""), "");
    }
}
