#include "sim/updater/standin_options.h"

#include <charconv>
#include <sstream>

namespace {

std::optional<long> Number(const std::string& text, long low, long high) {
  int base = 10;
  std::string digits = text;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    base = 16;
    digits = digits.substr(2);
  }
  long value = 0;
  const auto [end, problem] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (digits.empty() || problem != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  if (value < low || value > high) return std::nullopt;
  return value;
}

// An empty result: the option was taken.
std::string Apply(const std::string& argument, StandInOptions& options) {
  if (argument.rfind("--", 0) != 0) return {};  // the starter's own argument
  const size_t equals = argument.find('=');
  const std::string name = argument.substr(0, equals);
  const std::string value = equals == std::string::npos ? std::string() : argument.substr(equals + 1);
  auto number = [&](long low, long high, auto store) -> std::string {
    const std::optional<long> parsed = Number(value, low, high);
    if (!parsed) return name + " takes a number from " + std::to_string(low) + " to " + std::to_string(high);
    store(*parsed);
    return {};
  };
  if (name == "--outcome") {
    if (value == "success") {
      options.outcome = StandInOptions::Outcome::kSuccess;
    } else if (value == "failure") {
      options.outcome = StandInOptions::Outcome::kFailure;
    } else {
      return "--outcome takes success or failure";
    }
    return {};
  }
  if (name == "--steps") return number(1, 100, [&](long v) { options.steps = static_cast<int>(v); });
  if (name == "--step-ms") return number(0, 60000, [&](long v) { options.stepMs = static_cast<int>(v); });
  if (name == "--fail-at") return number(0, 100, [&](long v) { options.failAtStep = static_cast<int>(v); });
  if (name == "--version") return number(1, 0xFFFF, [&](long v) { options.version = static_cast<uint16_t>(v); });
  return "unknown option " + name;
}

}  // namespace

std::optional<StandInOptions> ParseStandInOptions(const std::vector<std::string>& arguments,
                                                  const char* environmentText, std::string* error) {
  std::vector<std::string> all;
  if (environmentText) {
    std::istringstream words(environmentText);
    for (std::string word; words >> word;) all.push_back(word);
  }
  all.insert(all.end(), arguments.begin(), arguments.end());
  StandInOptions options;
  for (const std::string& argument : all) {
    const std::string problem = Apply(argument, options);
    if (!problem.empty()) {
      if (error) *error = problem;
      return std::nullopt;
    }
  }
  if (options.failAtStep == 0 || options.failAtStep > options.steps) options.failAtStep = (options.steps + 1) / 2;
  return options;
}
