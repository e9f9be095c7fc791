#include "settings/osc_ini_path.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace tarvel::settings {
namespace {

std::filesystem::path ToPath(const QString& p) {
#ifdef _WIN32
  return p.toStdWString();
#else
  return QFile::encodeName(p).toStdString();
#endif
}

std::filesystem::path ChoosePath() {
  const QString exe_dir = QCoreApplication::applicationDirPath();
  const QString beside = QDir(exe_dir).filePath(QStringLiteral("OSC.ini"));
  const QFileInfo file(beside);
  const bool usable = file.exists() ? file.isWritable() : QFileInfo(exe_dir).isWritable();
  if (usable) return ToPath(beside);
  const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  QDir().mkpath(config);
  return ToPath(QDir(config).filePath(QStringLiteral("OSC.ini")));
}

}  // namespace

std::filesystem::path OscIniPath() {
  static const std::filesystem::path path = ChoosePath();
  return path;
}

}  // namespace tarvel::settings
