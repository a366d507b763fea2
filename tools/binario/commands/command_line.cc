// The one translation unit of the commands that sees the command-line parser.

#include <CLI/CLI.hpp>

#include "commands/command.h"

namespace binario::tool {

Argument& Argument::type_name(const std::string& name) {
  option_->type_name(name);
  return *this;
}

Argument& Argument::required() {
  option_->required();
  return *this;
}

Argument& Argument::positive() {
  option_->check(CLI::PositiveNumber);
  return *this;
}

Argument& Argument::one_of(const std::vector<std::string>& words) {
  option_->check(CLI::IsMember(words));
  return *this;
}

Argument& Argument::mapped(const std::map<std::string, int>& words) {
  option_->type_name("ENUM");
  option_->transform(CLI::CheckedTransformer(words, CLI::ignore_case));
  return *this;
}

Argument& Argument::default_text(const std::string& text) {
  option_->default_str(text);
  return *this;
}

Argument& Argument::values(int least, int most) {
  option_->expected(least, most);
  return *this;
}

Argument& Argument::one_value_each() {
  option_->allow_extra_args(false);
  return *this;
}

Argument CommandLine::option(const std::string& names, std::string* value,
                             const std::string& help) {
  return Argument(command_.add_option(names, *value, help));
}

Argument CommandLine::option(const std::string& names, std::vector<std::string>* values,
                             const std::string& help) {
  return Argument(command_.add_option(names, *values, help));
}

Argument CommandLine::option(const std::string& names, int* value, const std::string& help) {
  return Argument(command_.add_option(names, *value, help));
}

Argument CommandLine::option(const std::string& names, int64_t* value, const std::string& help) {
  return Argument(command_.add_option(names, *value, help));
}

Argument CommandLine::flag(const std::string& names, bool* value, const std::string& help) {
  return Argument(command_.add_flag(names, *value, help));
}

void CommandLine::footer(const std::string& text) { command_.footer(text); }

}  // namespace binario::tool
