#pragma once
// The lite save: the list is not read from the window. The folder is scanned afresh in scan order
// (with its subfolders when asked), and each name, as it is found, is shaped by a per-name
// formatter made for this save alone (running number from 1) and written to the output at once,
// name by name, with the details chosen read by the same walk as it finds each file.
//
// Text lists are appended to, pages and workbooks replaced whole. There is no empty-list check:
// a scan that finds nothing still creates the text file, writes a page without names or a
// workbook with an empty sheet. A failure throws SaveError and leaves the output as it was.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/export/cp1251_losses.h"
#include "core/export/list_writer.h"
#include "core/format/format_options.h"
#include "core/format/name_formatter.h"
#include "core/format/prim_file.h"
#include "core/listing/folder_scan.h"

namespace brixel {

struct LiteSaveRequest {
  std::string folder;       // Dir1
  std::string mask_line;    // cboMask
  bool subfolders = false;  // PicScan
  std::string save_format;  // the chosen CboSave entry
  std::string output_path;  // txtSave, unchanged
  FormatOptions options;    // the switches, digit count and start text
  Columns columns;          // the details beside each name; empty: names only
  TagEncoding tag_encoding = TagEncoding::Auto;
  const platform::FolderSource* folders = nullptr;  // where the scan reads; default the platform's
};

// Runs one lite save; returns how many names were written. A save format that is none of the
// three entries writes nothing. Throws SaveError, also before anything is touched when numbering
// is on and the start text is no number.
std::size_t RunLiteSave(const LiteSaveRequest& request);
std::size_t RunLiteSave(const LiteSaveRequest& request, const FormatLocale& locale,
                        const ListWriterOptions& writer_options);
// Under the control of a window, which steers and watches the scan and the writer: nothing when
// the save was stopped - during the scan, or in the writer's own work up to the moment the new
// file takes the old one's place (the control's stop and sink reach the writer unless the options
// bring their own) - and the output is then exactly as it was (the writer is dropped unfinished:
// a text list's new copy never takes the old one's place, or a list appended in place is cut
// back; a page or workbook never replaces the target; no temporary file is left).
std::optional<std::size_t> RunLiteSave(const LiteSaveRequest& request, const FormatLocale& locale,
                                       const ListWriterOptions& writer_options, const WorkControl& control);

// The names such a save would write that a Windows-1251 text list cannot hold, found by a scan of
// its own shaped as the save shapes them; nothing when stopped.
std::optional<Cp1251Losses> FindLiteSaveLosses(const LiteSaveRequest& request, const FormatLocale& locale,
                                               const WorkControl& control);

}  // namespace brixel
