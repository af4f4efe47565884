#pragma once
// Test helpers for code that reads the decimal separator of the global C++
// locale: a locale with a chosen separator built from the classic one (so no
// system locale has to be installed) and a guard that installs a locale for
// one scope and puts the previous one back.

#include <locale>
#include <string>
#include <utility>

namespace corvane::testing {

// Number punctuation of the classic locale with another decimal separator
// and, optionally, digit grouping ("\3" groups by thousands) with its own
// separator, as many European locales have ("," and "." grouped by 3).
class TDecimalPunct : public std::numpunct<char> {
 public:
  TDecimalPunct(char separator, char thousandsSeparator, std::string grouping)
      : Separator(separator), ThousandsSeparator(thousandsSeparator), Grouping(std::move(grouping)) {}

 protected:
  char do_decimal_point() const override { return Separator; }
  char do_thousands_sep() const override { return ThousandsSeparator; }
  std::string do_grouping() const override { return Grouping; }

 private:
  char Separator;
  char ThousandsSeparator;
  std::string Grouping;
};

// The classic locale with separator as its decimal point; no grouping unless
// grouping is given.
inline std::locale MakeDecimalLocale(char separator, char thousandsSeparator = '\'',
                                     const std::string& grouping = "") {
  // The locale takes ownership of the facet (its reference count starts at 0).
  return std::locale(std::locale::classic(),
                     new TDecimalPunct(separator, thousandsSeparator, grouping));
}

// Installs a global locale for its lifetime and restores the previous one.
class TLocaleGuard {
 public:
  explicit TLocaleGuard(const std::locale& locale) : Previous(std::locale::global(locale)) {}
  TLocaleGuard(const TLocaleGuard&) = delete;
  TLocaleGuard& operator=(const TLocaleGuard&) = delete;
  ~TLocaleGuard() { std::locale::global(Previous); }

 private:
  std::locale Previous;
};

}  // namespace corvane::testing
