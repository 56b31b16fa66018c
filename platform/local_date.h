#pragma once

namespace vantreel {

struct LocalDate {
  int year = 0;   // e.g. 2026
  int month = 0;  // 1..12
  int day = 0;    // 1..31
};

// Today in the local time zone.
LocalDate localDate();

}  // namespace vantreel
