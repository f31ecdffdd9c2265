#pragma once

#include "data/units.h"

#include <QString>

#include <bit>
#include <cstddef>
#include <cstdint>

namespace orvanek {

static_assert(std::endian::native == std::endian::little,
              "the observation file is little-endian and is read into memory as it stands");

// A length-prefixed text of at most MaxLength code page 1250 characters. The bytes
// past the current length belong to nobody and are carried along unchanged; a length
// byte above the maximum (a damaged file) is kept as it is and clamped when read.
template <int MaxLength> struct StoredText {
    uint8_t length;
    char chars[MaxLength];

    static constexpr int maxLength = MaxLength;
    int usedLength() const { return length < MaxLength ? length : MaxLength; }
};

// One sunspot group, the first 26 bytes of a slot.
struct SunspotGroup {
    StoredText<3> type;           // McIntosh class, "Dkc"; "***" for a group without a class
    uint8_t spotCount;            // "poč"
    uint8_t penumbraCount;        // "s pen."
    uint16_t angle;               // tenths of a degree from the top of the disk towards the right
    uint16_t distance;            // tenths of a mm on a 125 mm drawing, limb 1250
    uint16_t area;                // mm^2 x 20.4 x 125 / R
    uint16_t smallSpots;          // plain count of spots under 1 mm^2
    uint16_t globalGroupNumber;   // "č.sk1"
    uint16_t rotationGroupNumber; // "č.sk2"
    uint16_t aux1Position;        // packed: whole degrees x 128 + whole mm (not normalised)
    uint16_t aux1Area;            // as area
    uint16_t aux2Position;
    uint16_t aux2Area;
};

// One faculae field, the last 12 bytes of a slot: outline vertices, packed; 0 = not entered.
struct FaculaField {
    uint16_t vertices[6];
};

struct RecordSlot {
    SunspotGroup group;
    FaculaField facula;
};

// Per-hemisphere values derived when the observation is committed. The whole disk is
// always north plus south.
struct RecordSummary {
    uint16_t timeUT;
    uint16_t northGroups;
    uint16_t northSpots;
    uint16_t northR;
    uint16_t northClassSum;
    uint16_t northSN;
    uint16_t northRB;
    uint16_t northArea;
    uint16_t northCorrectedArea;
    uint16_t southGroups;
    uint16_t southSpots;
    uint16_t southR;
    uint16_t southClassSum;
    uint16_t southSN;
    uint16_t southRB;
    uint16_t southArea;
    uint16_t southCorrectedArea;
    uint16_t centralGroups;
    uint16_t centralSpots;
    uint16_t centralR;
    uint16_t faculaTotal;
    uint8_t conditions;
    uint8_t imageQuality;
    uint8_t seeingQuality;
    uint8_t zero;
};

constexpr int kMaxSlots = 30;

// One observation: the record of data1.dat byte for byte, also the in-memory layout.
struct ObservationRecord {
    StoredText<10> dateText; // "dd.mm.yyyy"
    uint8_t conditions;      // "PP"
    uint8_t imageQuality;    // "Obr."
    uint8_t seeingQuality;   // "Q"
    uint8_t groupCount;      // 0..30 when sound; a damaged file may hold more
    uint8_t faculaFieldCount;
    uint16_t timeUT; // hhmm
    uint16_t centralGroups;
    uint16_t centralSpots;
    uint16_t centralR;
    uint16_t faculaTotal;
    uint16_t rotation;
    uint16_t centralLongitude; // whole degrees, cut
    uint8_t reserved[4];       // never interpreted, carried along
    StoredText<30> observer;
    StoredText<20> station;
    StoredText<39> specialMark; // empty, or "zvlášťní"
    uint16_t drawingSetup;      // record 1 only: R, plus 1000 for heliographic entry; 0 = unset
    RecordSlot recordSlots[kMaxSlots]; // "slots" of the file layout; the word itself is taken by Qt
    RecordSummary summary;

    // Counts clamped to the 30 slots there are, for iterating over a possibly damaged record.
    int usedGroups() const { return groupCount < kMaxSlots ? groupCount : kMaxSlots; }
    int usedFaculaFields() const {
        return faculaFieldCount < kMaxSlots ? faculaFieldCount : kMaxSlots;
    }
    SunspotGroup &group(int i) { return recordSlots[i - 1].group; }             // 1-based
    const SunspotGroup &group(int i) const { return recordSlots[i - 1].group; } // 1-based
    FaculaField &facula(int i) { return recordSlots[i - 1].facula; }
    const FaculaField &facula(int i) const { return recordSlots[i - 1].facula; }

    bool isSpecial() const { return specialMark.length != 0; }
};

constexpr int kRecordSize = 1314;
constexpr uint16_t kNoSetup = 0;

static_assert(sizeof(SunspotGroup) == 26);
static_assert(offsetof(SunspotGroup, type) == 0);
static_assert(offsetof(SunspotGroup, spotCount) == 4);
static_assert(offsetof(SunspotGroup, penumbraCount) == 5);
static_assert(offsetof(SunspotGroup, angle) == 6);
static_assert(offsetof(SunspotGroup, distance) == 8);
static_assert(offsetof(SunspotGroup, area) == 10);
static_assert(offsetof(SunspotGroup, smallSpots) == 12);
static_assert(offsetof(SunspotGroup, globalGroupNumber) == 14);
static_assert(offsetof(SunspotGroup, rotationGroupNumber) == 16);
static_assert(offsetof(SunspotGroup, aux1Position) == 18);
static_assert(offsetof(SunspotGroup, aux1Area) == 20);
static_assert(offsetof(SunspotGroup, aux2Position) == 22);
static_assert(offsetof(SunspotGroup, aux2Area) == 24);
static_assert(sizeof(FaculaField) == 12);
static_assert(sizeof(RecordSlot) == 38);
static_assert(offsetof(RecordSlot, facula) == 26);
static_assert(sizeof(RecordSummary) == 46);
static_assert(offsetof(RecordSummary, northGroups) == 2);
static_assert(offsetof(RecordSummary, northCorrectedArea) == 16);
static_assert(offsetof(RecordSummary, southGroups) == 18);
static_assert(offsetof(RecordSummary, southCorrectedArea) == 32);
static_assert(offsetof(RecordSummary, centralGroups) == 34);
static_assert(offsetof(RecordSummary, faculaTotal) == 40);
static_assert(offsetof(RecordSummary, conditions) == 42);
static_assert(offsetof(RecordSummary, seeingQuality) == 44);
static_assert(offsetof(RecordSummary, zero) == 45);
static_assert(offsetof(ObservationRecord, dateText) == 0);
static_assert(offsetof(ObservationRecord, conditions) == 11);
static_assert(offsetof(ObservationRecord, imageQuality) == 12);
static_assert(offsetof(ObservationRecord, seeingQuality) == 13);
static_assert(offsetof(ObservationRecord, groupCount) == 14);
static_assert(offsetof(ObservationRecord, faculaFieldCount) == 15);
static_assert(offsetof(ObservationRecord, timeUT) == 16);
static_assert(offsetof(ObservationRecord, centralGroups) == 18);
static_assert(offsetof(ObservationRecord, centralSpots) == 20);
static_assert(offsetof(ObservationRecord, centralR) == 22);
static_assert(offsetof(ObservationRecord, faculaTotal) == 24);
static_assert(offsetof(ObservationRecord, rotation) == 26);
static_assert(offsetof(ObservationRecord, centralLongitude) == 28);
static_assert(offsetof(ObservationRecord, reserved) == 30);
static_assert(offsetof(ObservationRecord, observer) == 34);
static_assert(offsetof(ObservationRecord, station) == 65);
static_assert(offsetof(ObservationRecord, specialMark) == 86);
static_assert(offsetof(ObservationRecord, drawingSetup) == 126);
static_assert(offsetof(ObservationRecord, recordSlots) == 128);
static_assert(offsetof(ObservationRecord, summary) == 1268);
static_assert(sizeof(ObservationRecord) == kRecordSize);
static_assert(std::is_trivially_copyable_v<ObservationRecord>);

// A record with every byte zero.
ObservationRecord zeroRecord();

// Texts of the record, decoded from code page 1250 (length clamped to the field).
template <int N> QString readText(const StoredText<N> &field);
// Sets the text, cut to the field's maximum; bytes past the new length stay as they were.
template <int N> void writeText(StoredText<N> &field, const QString &text);

// The canonical special mark.
QString specialMarkText();

// Packed positions of auxiliary spots and faculae vertices.
struct PackedPosition {
    int degrees = 0;     // whole degrees
    int millimetres = 0; // whole mm on the drawing
};
// Whole degrees and whole mm as typed, kept to the low 16 bits like every stored word.
inline uint16_t packPosition(int64_t degrees, int64_t millimetres) {
    return static_cast<uint16_t>(static_cast<uint64_t>(degrees * kPackedDegreeUnit + millimetres) &
                                 0xFFFF);
}
inline PackedPosition unpackPosition(uint16_t word) {
    return {word / kPackedDegreeUnit, word % kPackedDegreeUnit};
}

} // namespace orvanek

#include "solar/calendar.h"

#include <optional>

namespace orvanek {
// The record's date, or nothing when its text does not read as a date. A two-digit year
// is read around pivotYear (see parseDate); the stored form has four digits.
std::optional<CalendarDate> recordDate(const ObservationRecord &record, int pivotYear);

// A text as messages and output show it: control characters (a damaged record's bytes)
// written as \xNN, and at most `limit` characters of it, the rest cut with "…".
QString printableText(const QString &text, qsizetype limit = 10000);

// What was read or typed, as every message quotes it: its first kExcerptLength characters
// with control characters written as \xNN, the rest cut with "…". A ten-megabyte field
// or a NUL byte of a hostile file thus makes a message of one line.
inline constexpr qsizetype kExcerptLength = 40;
QString inputExcerpt(QStringView text);
// The same of raw bytes of a file: read as UTF-8 (a byte that is no UTF-8 shows as the
// replacement character), only as many bytes as the excerpt can show.
QString inputExcerpt(QByteArrayView bytes);

// "Záznam N: „text“ není platné datum", for record number N (from 1).
QString unreadableDateText(size_t number, const ObservationRecord &record);
} // namespace orvanek
