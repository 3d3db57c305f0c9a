// The fixture of the tests that run alarmclock-reg as a user would: the tool on a registry of its own, with
// files beside it, and what it left in the registry read back through the library.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "platform/api.h"
#include "tests/support/subprocess.h"
#include "tests/support/temporary_prefix.h"

class RegTool : public ::testing::Test {
  protected:
    ProcessResult Reg(std::vector<std::string> arguments, const std::string& input = {}) {
        arguments.insert(arguments.begin(), ALARMCLOCK_REG_PATH);
        return RunProcess(arguments, input);
    }

    // Runs a command that must succeed, returning its output.
    std::string Ok(const std::vector<std::string>& arguments, const std::string& input = {}) {
        ProcessResult result = Reg(arguments, input);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.err, "");
        return result.out;
    }

    // Runs a command that must fail with one error line, returning that line.
    std::string Fails(const std::vector<std::string>& arguments, const std::string& input = {}) {
        ProcessResult result = Reg(arguments, input);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err.rfind("ERROR: ", 0), 0u) << result.err;
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
        return result.err;
    }

    // The tool with a small stack, on which a walk that recursed through a deep tree would crash, and 256 MB
    // of memory (but under AddressSanitizer, which reserves far more address space for itself).
    ProcessResult RegOnSmallStack(const std::vector<std::string>& arguments) {
#ifdef __SANITIZE_ADDRESS__
        const std::string limits = "ulimit -s 256";
#else
        const std::string limits = "ulimit -s 256 && ulimit -v 262144";
#endif
        std::vector<std::string> argv{"/bin/sh", "-c", limits + " && exec \"$0\" \"$@\"", ALARMCLOCK_REG_PATH};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        return RunProcess(argv);
    }

    std::filesystem::path File(const std::string& name) { return files_.path() / name; }

    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(File(name), std::ios::binary) << bytes;
    }

    TemporaryPrefix prefix_;
    TemporaryDirectory files_;
};

// Every value of a key, in order, as name/type/bytes, read through the library.
inline std::vector<std::tuple<std::string, DWORD, std::string>> Contents(const char* path) {
    std::vector<std::tuple<std::string, DWORD, std::string>> values;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
    char name[256];
    std::string data(4096, '\0');
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = sizeof name;
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                          &dataSize) != ERROR_SUCCESS) {
            break;
        }
        values.emplace_back(std::string(name, nameSize), type, data.substr(0, dataSize));
    }
    RegCloseKey(key);
    return values;
}

inline std::string Repeated(const std::string& text, int times) {
    std::string repeated;
    for (int i = 0; i < times; ++i) repeated += text;
    return repeated;
}
