#pragma once

#include <QString>

#include <array>

namespace orvanek {

// The six lines of pristroj.dat: observatory, instrument, objective diameter (mm),
// eyepiece, focal length (mm), station printed on the certificate.
using InstrumentLines = std::array<QString, 6>;

InstrumentLines defaultInstrumentLines();

// Reads the file in dir; a missing file gives the defaults, missing lines read as empty.
// Lines end at CR LF, CR or LF.
// Returns false with a message only when the file exists but cannot be read.
bool readInstrumentFile(const QString &dir, InstrumentLines &lines, QString *error = nullptr);

// Writes the six lines anew, code page 1250, CR LF after each. A line holding a line break
// is refused with a message, nothing written.
bool writeInstrumentFile(const QString &dir, const InstrumentLines &lines,
                         QString *error = nullptr);

} // namespace orvanek
