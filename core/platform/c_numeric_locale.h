#pragma once
// The C library's number format, pinned to "C" for the calling thread while an object of this
// class lives. Libraries that print numbers with printf (libxlsxwriter writes column widths and
// page margins that way) would otherwise follow the process's locale, which the windows take from
// the user's environment: "28,140625" under a Russian locale, which no workbook reader accepts.
// Only this thread's numbers change; other threads and every other category keep the process's
// locale.
namespace brixel::platform {

class CNumericLocale {
 public:
  CNumericLocale();
  ~CNumericLocale();
  CNumericLocale(const CNumericLocale&) = delete;
  CNumericLocale& operator=(const CNumericLocale&) = delete;

 private:
  struct Saved;
  Saved* saved_;
};

}  // namespace brixel::platform
