// Runs varnctl commands in-process on the native front, each with a fresh
// machine over one state folder (as separate runs of the program are).
#pragma once
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "tools/varnctl/native/native_front.h"
#include "tools/varnctl/varnctl.h"

namespace tolven::varnctl::testing {

struct Result {
  int status;
  std::string out, err;
  nlohmann::json Json() const { return nlohmann::json::parse(out); }
};

class Session {
 public:
  Session() {
    char pattern[] = "/tmp/varnctl-test-XXXXXX";
    state = mkdtemp(pattern);
  }
  ~Session() {
    std::error_code ignored;
    std::filesystem::remove_all(state, ignored);
  }
  Session(const Session &) = delete;
  Session &operator=(const Session &) = delete;

  Result Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--state", state.string()});
    std::ostringstream out, err;
    std::istringstream in(input);
    Console console{out, err, &in, false, onProgress};
    front.onOpen = onOpen;
    const int status = varnctl::Run(args, front, console);
    return Result{status, out.str(), err.str()};
  }

  // Writes a file in the state folder's parent area and answers its path.
  std::string WriteFile(const std::string &name, const std::string &text) {
    const auto path = state / name;
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
  }
  std::string ReadFile(const std::string &name) const {
    std::ifstream in(state / name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  std::filesystem::path state;
  NativeFront front;
  std::string input;
  std::function<void(int32_t, int32_t)> onProgress;
  std::function<void(NativeMachine &)> onOpen;
};

}  // namespace tolven::varnctl::testing
