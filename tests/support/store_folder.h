#pragma once
// Each test works in a fresh folder named by KALVORA_DATA_DIR, removed afterwards.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "store/person.h"

namespace kalvora::testing {

class StoreFolder : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "kalvora-store-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        setenv("KALVORA_DATA_DIR", folder.c_str(), 1);
    }
    void TearDown() override {
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
        std::filesystem::remove_all(folder);
        unsetenv("KALVORA_DATA_DIR");
    }
    std::string File(const std::string& name = "people.sqlite") const { return (folder / name).string(); }

    std::filesystem::path folder;
};

inline std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A person with every field set: a place from the atlas and a zone id.
inline Person Sample(std::string name = "Asha Rao") {
    Person p;
    p.name = std::move(name);
    p.sex = "Female";
    p.born = {1984, 7, 21, 5, 42};
    p.place = BirthPlace{"Chennai", "Tamil Nadu", "India"};
    p.latitude = 13.0 + 5.0 / 60.0;
    p.longitude = 80.0 + 17.0 / 60.0;
    p.zone.id = "Asia/Kolkata";
    p.note = "first child; time from the hospital record";
    return p;
}

}  // namespace kalvora::testing
