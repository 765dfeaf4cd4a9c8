// The words of a command line after the command: options "--name value"
// and the plain arguments in between.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace zelor::bodies {

struct CommandLine {
  std::vector<std::string> arguments;
  std::map<std::string, std::string> options;  // without the leading "--"
  std::string error;                           // not empty: a usage error
};

// An option in `known` takes a value, one in `flags` none (it is stored with
// an empty value); any other is a usage error.
CommandLine ParseCommandLine(const std::vector<std::string>& words, const std::set<std::string>& known,
                             const std::set<std::string>& flags = {});

}  // namespace zelor::bodies
