#include "tools/datagen/chart/chart_catalogue.h"

#include <array>
#include <stdexcept>

namespace corvane {

namespace {

constexpr std::array<const char*, 25> kStems = {
    "Quarnel",  "Vennick",  "Tresswy",   "Hollivar", "Marrowen", "Skeldra",  "Brannoch",
    "Fennick",  "Caddravel", "Druvenny", "Elsquarn", "Tollivey", "Wendrick", "Orrasey",
    "Pellimar", "Saxquarn", "Ulvenny",   "Grevallin", "Kestrow", "Lannivar", "Morquell",
    "Nethvarrow", "Ottersell", "Ravennick", "Sellivant"};
constexpr std::array<const char*, 12> kWords = {"Ledge", "Spit", "Knoll", "Patch", "Bank", "Shoal",
                                                "Post",  "Pole", "Edge",  "Tail",  "Ground", "Head"};
static_assert(kStems.size() * kWords.size() >= 300);

// Accepted second characters for each first character of a shortcut code.
struct CodeRow {
  char First;
  const char* Seconds;
};
constexpr std::array<CodeRow, 11> kCodeTable = {{
    {'1', "1456789ABCEFGHJKLMN"},
    {'2', "012345689ABCDEFGHJKRSTUWXYZ"},
    {'3', "0123ABCDEFGHJKLNPQRSTUVWXYZ"},
    {'4', "0123456ABCDEFGHJKLMNPQRSTUVWXYZ"},
    {'5', "ABCDEFGHJKMNPQRS"},
    {'6', "ABCDEFGHJKLMNPRS"},
    {'7', "012345ABCDEFGHJKMNPQRSTUVWXYZ"},
    {'8', "25NSWXY"},
    {'H', "E"},
    {'J', "B"},
    {'X', "B"},
}};

}  // namespace

std::string RacingMarkName(int i) {
  if (i < 0 || i >= static_cast<int>(kStems.size() * kWords.size())) {
    throw std::out_of_range("racing mark name index");
  }
  return std::string(kStems[i % kStems.size()]) + " " + kWords[i / kStems.size()];
}

std::vector<std::string> ShortCutCodes() {
  std::vector<std::string> codes;
  for (const CodeRow& row : kCodeTable) {
    for (const char* c = row.Seconds; *c != '\0'; ++c) codes.push_back(std::string{row.First, *c});
  }
  return codes;
}

const std::vector<TCatalogueEntry>& CatalogueTowns() {
  // Label placement 1 (right of the point) or 2 (left of it), towards land
  // or open water so that the name neither leaves the chart nor hides a
  // harbour.
  static const std::vector<TCatalogueEntry> towns = {
      {"Quarnhaven", {-77.95, 3045.45}, 0, false, 1},  {"Sallowport", {-69.6, 3043.6}, 0, false, 2},
      {"Midquarne", {-77.5, 3042.0}, 0, false, 1},     {"Westerquay", {-90.1, 3042.3}, 0, false, 1},
      {"Lannivar", {-92.6, 3045.4}, 0, false, 1},      {"Fenmoor", {-80.6, 3049.3}, 0, false, 2},
      {"Portquarne", {-64.8, 3047.5}, 0, false, 1},    {"Gullstrand", {-68.2, 3047.4}, 0, false, 2},
      {"Leavenshore", {-72.2, 3048.5}, 0, false, 1},   {"Cliffholm", {-72.3, 3035.8}, 0, false, 1},
      {"Shinglemere", {-95.6, 3043.6}, 0, false, 1},   {"Brannoch", {-65.2, 3041.0}, 0, false, 2},
  };
  return towns;
}

const std::vector<TCatalogueEntry>& CatalogueNavigationMarks() {
  static const std::vector<TCatalogueEntry> marks = {
      {"Quarne Head Light", {-77.8, 3034.6}, 12, true},
      {"Shingle End Light", {-92.95, 3042.45}, 11, true},
      {"Haven Club Flagstaff", {-77.95, 3045.9}, 6, true},
      {"Outer Sea Fort", {-64.3, 3045.0}, 5, false},
      {"Middle Sea Fort", {-65.7, 3044.4}, 5, false},
      {"Inner Sea Fort", {-66.2, 3046.2}, 5, false},
      {"Marrowen North Cardinal", {-84.6, 3044.6}, 8, false},
      {"Skeldra South Cardinal", {-72.0, 3045.3}, 7, false},
      {"Kestrow East Cardinal", {-63.5, 3042.3}, 9, false},
      {"Druvenny West Cardinal", {-96.0, 3039.0}, 10, false},
      {"Estuary No 1", {-79.0, 3048.6}, 3, false},
      {"Estuary No 3", {-80.6, 3050.3}, 3, false},
      {"Estuary No 2", {-79.6, 3048.1}, 4, false},
      {"Estuary No 4", {-81.3, 3049.9}, 4, false},
      {"Harbour Mouth Port Hand", {-66.8, 3047.4}, 21, false},
      {"River Mouth Spar", {-91.0, 3044.6}, 22, false},
      {"Eastern Anchorage Ship", {-61.5, 3038.5}, 23, false},
      {"Sallowport Pile", {-70.2, 3044.4}, 0, false},
  };
  return marks;
}

const std::vector<std::string>& CatalogueFlatNames() {
  static const std::vector<std::string> names = {
      "Gullwade Flats",   "Merrow Sands",    "Saltreach Mud",   "Heronmere Flats",
      "Quarne Saltings",  "Eelgrass Flats",  "Tidewrack Sands", "Curlew Mud",
      "Samphire Flats",   "Wadersend Sands", "Ottermud Flats",  "Sedgereach Mud",
      "Plover Sands",     "Brackwater Flats", "Mudlark Saltings"};
  return names;
}

}  // namespace corvane
