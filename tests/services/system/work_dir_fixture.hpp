// work_dir_fixture.hpp -- each test in a fresh working folder with an empty
// data/, as the game plays in its own; the old folder is put back after.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>

class WorkDirTest : public ::testing::Test {
   protected:
    // name: the folder's stem, so tests running at once never share one.
    explicit WorkDirTest(std::string name) : name_(std::move(name)) {}
    void SetUp() override {
        saved_ = std::filesystem::current_path();
        dir_ = std::filesystem::temp_directory_path() /
               ("bodger_" + name_ + "_" + std::to_string(getpid()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_ / "data");
        std::filesystem::current_path(dir_);
    }
    void TearDown() override {
        std::filesystem::current_path(saved_);
        std::filesystem::remove_all(dir_);
    }
    std::filesystem::path saved_, dir_;

   private:
    std::string name_;
};
