#include "entry/importfile.h"

#include "data/positioncheck.h"
#include "entry/commit.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QStringDecoder>

#include <algorithm>
#include <optional>

namespace orvanek {

namespace {

// The texts of this file, translated in the context "Import".
struct ImportTexts {
    Q_DECLARE_TR_FUNCTIONS(Import)
};

constexpr int kHeaderFields = 12; // date … special

// One observation as it is being read: the form and the line of every part of it.
struct PendingObservation {
    EntryForm form;
    int headerLine = 0;
    bool malformed = false; // a line of it could not be read; its cells are not checked
    QList<int> groupLines;
    QList<int> faculaLines;

    // The line of the field or cell a message points to. A count beyond 30 points to the
    // first row too many.
    int lineOf(const EntryLocation &where) const {
        auto rowLine = [](const QList<int> &lines, int row, int fallback) {
            return row >= 1 && row <= lines.size() ? lines[row - 1] : fallback;
        };
        switch (where.field) {
        case EntryField::Groups:
            return rowLine(groupLines, where.row, headerLine);
        case EntryField::Faculae:
            return rowLine(faculaLines, where.row, headerLine);
        case EntryField::GroupCount:
            return rowLine(groupLines, kMaxTableRows + 1, headerLine);
        case EntryField::FaculaFieldCount:
            return rowLine(faculaLines, kMaxTableRows + 1, headerLine);
        default:
            return headerLine;
        }
    }
};

class ImportReader {
  public:
    ImportReader(ObservationStore &store, ImportResult &result)
        : store_(store), result_(result), batch_(store) {}

    void readLine(int number, const QString &line) {
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            return;
        QStringList fields = line.split(u';');
        const QString kind = fields.takeFirst().trimmed();
        if (kind == QLatin1String("O")) {
            finish();
            startObservation(number, fields);
        } else if (kind == QLatin1String("G") || kind == QLatin1String("F")) {
            if (!pending_) {
                problem(number, ImportTexts::tr("řádek %1 nenásleduje po řádku O").arg(kind));
                return;
            }
            const bool group = kind == QLatin1String("G");
            const int width = group ? kGroupColumns : kFaculaColumns;
            if (!fits(number, fields, width)) {
                pending_->malformed = true;
                return;
            }
            fields.resize(width);
            if (group && store_.heliographicEntry())
                for (int column = kHeliographicGroupColumns + 1; column <= width; ++column)
                    fields[column - 1].clear();
            (group ? pending_->form.groups : pending_->form.faculae) << fields;
            (group ? pending_->groupLines : pending_->faculaLines) << number;
        } else {
            problem(number, ImportTexts::tr("neznámý druh řádku „%1“ (má být O, G nebo F)")
                                .arg(inputExcerpt(kind)));
        }
    }

    void finish() {
        if (!pending_)
            return;
        EntryForm &form = pending_->form;
        form.groupCount = QString::number(form.groups.size());
        form.faculaFieldCount = QString::number(form.faculae.size());
        if (!pending_->malformed) {
            const QList<EntryMessage> messages = batch_.add(form);
            for (const EntryMessage &m : messages)
                problem(pending_->lineOf(m.where), m.text);
            if (messages.isEmpty())
                groupLines_.push_back(QList<int>{pending_->headerLine} + pending_->groupLines);
        }
        ++observations_;
        pending_.reset();
    }

    void problem(int line, const QString &message) {
        result_.problems << ImportProblem{line, message};
    }

    int observations() const { return observations_; }
    EntryBatch &batch() { return batch_; }

    // The kept observations' groups that the days around them place elsewhere, by the line
    // of their G rows, after a drawing that is wrong as a whole, by its O row.
    QList<ImportProblem> misplacedGroups() const {
        QList<ImportProblem> notices;
        const PositionReport report = checkAddedPositions(store_, batch_.records());
        for (const DrawingFault &f : report.drawings)
            notices << ImportProblem{groupLines_[static_cast<size_t>(f.record - 1)].value(0),
                                     drawingFaultText(f)};
        for (const PositionFinding &f : report.findings) {
            const QList<int> &lines = groupLines_[static_cast<size_t>(f.record - 1)];
            notices << ImportProblem{lines.value(f.slot), positionFindingText(f)};
        }
        std::stable_sort(
            notices.begin(), notices.end(),
            [](const ImportProblem &a, const ImportProblem &b) { return a.line < b.line; });
        return notices;
    }

  private:
    // Fields past the expected ones may be there when they are empty (a spreadsheet pads
    // its rows); a filled one means the columns have slipped.
    bool fits(int number, const QStringList &fields, int width) {
        for (qsizetype i = width; i < fields.size(); ++i) {
            if (!fields[i].trimmed().isEmpty()) {
                problem(number, ImportTexts::tr("příliš mnoho polí (nejvýše %1)").arg(width));
                return false;
            }
        }
        return true;
    }

    void startObservation(int number, QStringList fields) {
        pending_.emplace();
        pending_->headerLine = number;
        if (!fits(number, fields, kHeaderFields)) {
            pending_->malformed = true;
            return;
        }
        fields.resize(kHeaderFields);
        EntryForm &form = pending_->form;
        form.date = fields[0];
        form.timeUT = fields[1];
        form.observer = fields[2];
        form.station = fields[3];
        form.conditions = fields[4];
        form.imageQuality = fields[5];
        form.seeingQuality = fields[6];
        form.centralGroups = fields[7];
        form.centralSpots = fields[8];
        form.centralR = fields[9];
        form.faculaTotal = fields[10];
        const bool special = !fields[11].trimmed().isEmpty();
        form.mode = special ? EntryMode::Special : EntryMode::New;
        // What the dialog shows in its special-mark field when opened for a special record.
        form.specialMark = special ? specialMarkText() : QString();
    }

    ObservationStore &store_;
    ImportResult &result_;
    EntryBatch batch_;
    std::optional<PendingObservation> pending_;
    int observations_ = 0;
    std::vector<QList<int>> groupLines_; // of every observation kept: its O row, its G rows
};

} // namespace

QString importProblemText(const ImportProblem &problem) {
    return ImportTexts::tr("řádek %1: %2").arg(problem.line).arg(problem.message);
}

ImportResult importObservations(ObservationStore &store, QIODevice &file) {
    ImportResult result;
    ImportReader reader(store, result);
    // One read for the whole file, then line by line in memory.
    const QByteArray content = file.readAll();
    int number = 0;
    // Lines end with LF, CR LF or CR alone (older spreadsheets write the last).
    for (qsizetype start = 0; start < content.size();) {
        qsizetype end = start;
        while (end < content.size() && content[end] != '\n' && content[end] != '\r')
            ++end;
        const QByteArrayView bytes(content.constData() + start, end - start);
        start = end + 1;
        if (end + 1 < content.size() && content[end] == '\r' && content[end + 1] == '\n')
            ++start;
        ++number;
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString line = utf8.decode(bytes);
        if (utf8.hasError()) {
            reader.problem(number, ImportTexts::tr("text není v kódování UTF-8"));
            continue;
        }
        reader.readLine(number, line);
    }
    reader.finish();

    if (!result.problems.isEmpty()) {
        // An observation's cells are checked when its last line has been read.
        std::stable_sort(
            result.problems.begin(), result.problems.end(),
            [](const ImportProblem &a, const ImportProblem &b) { return a.line < b.line; });
        return result;
    }
    // Judged before they are stored, against each other and the data set's own drawings.
    QList<ImportProblem> notices = reader.misplacedGroups();
    const StoreStatus stored = reader.batch().commit();
    if (!stored) {
        result.failure = stored.message;
        return result;
    }
    result.ok = true;
    result.imported = reader.observations();
    result.positionNotices = std::move(notices);
    return result;
}

} // namespace orvanek
