#include "shell/window_settings.h"

#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

#include "core/platform/folder_path.h"
#include "shell/folder_list.h"
#include "shell/picture_switch.h"
#include "shell/program_files.h"
#include "shell/switch_looks.h"

namespace brixel {

namespace {

// The layout of the file; a later layout is a newer version's, whose file this one leaves alone.
constexpr int kSettingsFormat = 1;

bool ReadBool(const QSettings& ini, const QString& key, bool fallback) {
  const QString text = ini.value(key).toString();
  if (text == QLatin1String("true")) return true;
  if (text == QLatin1String("false")) return false;
  return fallback;
}

std::optional<int> ReadInt(const QSettings& ini, const QString& key, int low, int high) {
  bool ok = false;
  const int value = ini.value(key).toString().toInt(&ok);
  if (!ok || value < low || value > high) return std::nullopt;
  return value;
}

FormatOptions ReadOptions(const QSettings& ini) {
  FormatOptions options;
  options.letter_case = static_cast<LetterCase>(
      ReadInt(ini, QStringLiteral("formatting/case"), 0, static_cast<int>(LetterCase::FirstCapital))
          .value_or(0));
  options.underscores = ReadBool(ini, QStringLiteral("formatting/underscores"), false);
  options.remove_extension = ReadBool(ini, QStringLiteral("formatting/remove_extension"), false);
  options.numbering = ReadBool(ini, QStringLiteral("formatting/numbering"), false);
  options.digits =
      ReadInt(ini, QStringLiteral("formatting/digits"), kMinDigits, kMaxDigits).value_or(kMinDigits);
  // The start box holds at most five characters.
  const QString start =
      ini.value(QStringLiteral("formatting/start"), QString::fromStdString(options.start_text)).toString();
  if (start.size() <= 5) options.start_text = start.toStdString();
  return options;
}

}  // namespace

std::string SettingsFile(const ProgramFiles& files, const QString& edition) {
  if (files.settings_folder.empty()) return {};
  return JoinFolder(files.settings_folder, (edition + QStringLiteral(".ini")).toStdString());
}

RememberedSettings LoadWindowSettings(const std::string& path) {
  RememberedSettings remembered;
  if (path.empty() || !QFile::exists(QString::fromStdString(path))) return remembered;
  const QSettings ini(QString::fromStdString(path), QSettings::IniFormat);
  const bool newer = ini.value(QStringLiteral("format")).toInt() > kSettingsFormat;
  if (ini.status() == QSettings::AccessError || newer) {
    remembered.may_write = false;
    return remembered;
  }
  // A damaged file (QSettings::FormatError) still gives what can be read of it.
  WindowSettings& s = remembered.settings;
  s.folder = ini.value(QStringLiteral("listing/folder")).toString().toStdString();
  s.mask_line = ini.value(QStringLiteral("listing/mask")).toString();
  s.subfolders = ReadBool(ini, QStringLiteral("listing/subfolders"), false);
  s.options = ReadOptions(ini);
  s.save_type = ReadInt(ini, QStringLiteral("save/type"), 0, 99).value_or(-1);
  s.save_path = ini.value(QStringLiteral("save/path")).toString().toStdString();
  s.columns = ini.value(QStringLiteral("details/columns")).toString().toStdString();
  s.tag_encoding = ini.value(QStringLiteral("details/tag_encoding")).toString().toStdString();
  const std::optional<int> x = ReadInt(ini, QStringLiteral("window/x"), -100000, 100000);
  const std::optional<int> y = ReadInt(ini, QStringLiteral("window/y"), -100000, 100000);
  if (x && y) s.position = QPoint(*x, *y);
  return remembered;
}

void StoreWindowSettings(const std::string& path, const WindowSettings& settings) {
  if (path.empty()) return;
  QSettings ini(QString::fromStdString(path), QSettings::IniFormat);
  ini.clear();  // a damaged file is replaced whole
  ini.setValue(QStringLiteral("format"), kSettingsFormat);
  ini.setValue(QStringLiteral("listing/folder"), QString::fromStdString(settings.folder));
  ini.setValue(QStringLiteral("listing/mask"), settings.mask_line);
  ini.setValue(QStringLiteral("listing/subfolders"), settings.subfolders);
  const FormatOptions& o = settings.options;
  ini.setValue(QStringLiteral("formatting/case"), static_cast<int>(o.letter_case));
  ini.setValue(QStringLiteral("formatting/underscores"), o.underscores);
  ini.setValue(QStringLiteral("formatting/remove_extension"), o.remove_extension);
  ini.setValue(QStringLiteral("formatting/numbering"), o.numbering);
  ini.setValue(QStringLiteral("formatting/digits"), o.digits);
  ini.setValue(QStringLiteral("formatting/start"), QString::fromStdString(o.start_text));
  if (settings.save_type >= 0) ini.setValue(QStringLiteral("save/type"), settings.save_type);
  ini.setValue(QStringLiteral("save/path"), QString::fromStdString(settings.save_path));
  ini.setValue(QStringLiteral("details/columns"), QString::fromStdString(settings.columns));
  ini.setValue(QStringLiteral("details/tag_encoding"), QString::fromStdString(settings.tag_encoding));
  if (settings.position) {
    ini.setValue(QStringLiteral("window/x"), settings.position->x());
    ini.setValue(QStringLiteral("window/y"), settings.position->y());
  }
  ini.sync();
}

void RememberListingChoice(WindowSettings& settings, const FolderList& folders, const QComboBox& masks,
                           const PictureSwitch& subfolders, const QWidget& window) {
  settings.folder = folders.Path();
  settings.mask_line = masks.currentText();
  settings.subfolders = subfolders.IsOn();
  settings.position = window.pos();
}

bool RestoreListingChoice(const WindowSettings& settings, QComboBox& masks, PictureSwitch& subfolders,
                          const SwitchLooks& looks, QWidget& window) {
  subfolders.ShowLook(settings.subfolders ? looks.ImgChecked : looks.ImgUnchecked);
  // The title row, by which the window is dragged, must be where the user can reach it.
  if (settings.position && QGuiApplication::screenAt(*settings.position + QPoint(300, 40)) != nullptr)
    window.move(*settings.position);
  const int line = settings.mask_line.isEmpty() ? -1 : masks.findText(settings.mask_line);
  if (line < 0 || line == masks.currentIndex()) return false;
  masks.setCurrentIndex(line);
  return true;
}

}  // namespace brixel
