#pragma once
// Small helpers the core tests share: a temporary folder, files written byte
// by byte, and boxes that record what they were asked.

#include "fs.h"
#include "message_service.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

class TempFolder {
  public:
    TempFolder() {
        std::string pattern = "/tmp/brindlecot-test-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        const std::string command =
            "chmod -R u+rwx '" + path_ + "' 2>/dev/null; rm -rf '" + path_ + "'";
        [[maybe_unused]] int rc = std::system(command.c_str());
    }
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

inline void WriteFile(const std::string& path, const std::string& bytes, mode_t mode = 0644) {
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    ::chmod(path.c_str(), mode);
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Records every box; answers the confirmation with a preset answer.
class RecordingBoxes : public MessageService {
  public:
    void Message(const std::string& text) override { messages.push_back(text); }
    ConfirmAnswer Confirm(const std::string& text, ConfirmButtons) override {
        questions.push_back(text);
        return answer;
    }
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    ConfirmAnswer answer = ConfirmAnswer::No;
};
