#include "app/history_news.h"

#include <QDir>

#include "app/history_texts.h"

namespace tadjust {

namespace {

namespace texts = history_texts;
using history::HistoryProblem;

QString reason(const HistoryNews& news, const QString& file, bool english) {
  switch (news.problem) {
    case HistoryProblem::NoFolder:
      return texts::NoFolder.in(english).arg(file);
    case HistoryProblem::FolderNotWritable:
      return texts::FolderReadOnly.in(english).arg(file);
    case HistoryProblem::NotAFile:
      return texts::NotAFile.in(english).arg(file);
    case HistoryProblem::Locked:
      return texts::Locked.in(english).arg(file);
    case HistoryProblem::DiskFull:
      return texts::DiskFull.in(english).arg(file);
    case HistoryProblem::ReadOnly:
      return texts::FileReadOnly.in(english).arg(file);
    case HistoryProblem::CannotOpen:
      return texts::CannotOpen.in(english).arg(file, news.detail);
    case HistoryProblem::NewerSchema:
      return texts::NewerSchema.in(english).arg(file, news.detail);
    case HistoryProblem::None:
    case HistoryProblem::NotRecorded:
    case HistoryProblem::ChainBroken:
      break;
  }
  return texts::CannotWrite.in(english).arg(file, news.detail);
}

}  // namespace

QStringList historyNewsLines(const std::vector<HistoryNews>& news, const QString& path,
                             bool useEnglish) {
  const QString file = QDir::toNativeSeparators(path);
  QStringList lines;
  for (const HistoryNews& item : news) {
    switch (item.kind) {
      case HistoryNews::Kind::Unavailable:
        lines << texts::HistoryUnavailable.in(useEnglish).arg(reason(item, file, useEnglish));
        break;
      case HistoryNews::Kind::Waiting:
        lines << texts::HistoryWaiting.in(useEnglish).arg(reason(item, file, useEnglish));
        break;
      case HistoryNews::Kind::KeptStored:
        lines << texts::HistoryKeptStored.in(useEnglish);
        break;
      case HistoryNews::Kind::CorruptKeptAside:
        lines << texts::CorruptKeptAside.in(useEnglish).arg(item.detail);
        break;
      case HistoryNews::Kind::OpenWritesLeft:
        lines << texts::OpenWritesLeft.in(useEnglish).arg(item.detail);
        break;
    }
  }
  lines.removeDuplicates();
  return lines;
}

}  // namespace tadjust
