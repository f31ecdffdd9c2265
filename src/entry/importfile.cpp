#include "entry/importfile.h"

#include "data/codepage1250.h"
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
// A line is read no further than this many fields: twice the widest line (a G line, its kind
// and 15 cells) leaves room for a spreadsheet's padding, and a longer line is refused.
constexpr int kMostFields = 2 * (1 + std::max({kHeaderFields, kGroupColumns, kFaculaColumns}));
// Lines at fault reported before the rest of the file is left unread.
constexpr qsizetype kMostProblems = 1000;

// One observation as it is being read: the form and the line of every part of it.
struct PendingObservation {
    EntryForm form;
    int headerLine = 0;
    bool malformed = false; // a line of it could not be read; its cells are not checked
    QList<int> groupLines;  // of the rows kept: no more than the first one too many
    QList<int> faculaLines;
    int groupRows = 0; // G and F lines read, also those past the rows kept
    int faculaRows = 0;

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

    // `cut`: the line went on past the most fields any line may have, and was read no further.
    void readLine(int number, const QString &line, bool cut = false) {
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            return;
        lineCut_ = cut;
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
            // Rows past the first one too many are counted, not kept: the count is refused
            // at that row, and a file of millions of G lines needs no memory for them.
            if (++(group ? pending_->groupRows : pending_->faculaRows) > kMaxTableRows + 1)
                return;
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
        form.groupCount = QString::number(pending_->groupRows);
        form.faculaFieldCount = QString::number(pending_->faculaRows);
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
            if (lineCut_ || !fields[i].trimmed().isEmpty()) {
                problem(number, ImportTexts::tr("příliš mnoho polí (nejvýše %1)").arg(width));
                return false;
            }
        }
        return true;
    }

    // A text longer than its field of the record is kept cut, as in the dialog, whose field
    // takes no more; the observer is told what was kept.
    void noteCut(int number, const QString &text, int fieldLength, const QString &message) {
        const QByteArray bytes = encode1250(text);
        if (bytes.size() > fieldLength)
            result_.cutTexts << ImportProblem{
                number,
                message.arg(fieldLength).arg(inputExcerpt(decode1250(bytes.left(fieldLength))))};
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
        noteCut(number, form.observer, decltype(ObservationRecord::observer)::maxLength,
                ImportTexts::tr("jméno pozorovatele má víc než %1 znaků; uloženo je „%2“"));
        noteCut(number, form.station, decltype(ObservationRecord::station)::maxLength,
                ImportTexts::tr("stanice má víc než %1 znaků; uložena je „%2“"));
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
    bool lineCut_ = false;
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
        if (result.problems.size() >= kMostProblems) {
            // A file of millions of wrong lines would keep a message for each one.
            reader.problem(number + 1,
                           ImportTexts::tr("příliš mnoho chyb; další řádky nebyly čteny"));
            break;
        }
        qsizetype end = start;
        // A line is read up to the field beyond the most any line may have and no further:
        // the fields of 200 MB of ';' would take gigabytes, and the line is refused anyway.
        qsizetype cutAt = -1;
        for (int separators = 0;
             end < content.size() && content[end] != '\n' && content[end] != '\r'; ++end)
            if (content[end] == ';' && cutAt < 0 && ++separators == kMostFields)
                cutAt = end + 1;
        const QByteArrayView bytes(content.constData() + start, (cutAt < 0 ? end : cutAt) - start);
        start = end + 1;
        if (end + 1 < content.size() && content[end] == '\r' && content[end + 1] == '\n')
            ++start;
        ++number;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString line = utf8.decode(bytes);
        if (utf8.hasError()) {
            reader.problem(number, ImportTexts::tr("text není v kódování UTF-8"));
            continue;
        }
        reader.readLine(number, line, cutAt >= 0);
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
