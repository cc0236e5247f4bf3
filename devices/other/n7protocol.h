#ifndef N7PROTOCOL_H
#define N7PROTOCOL_H

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>
#include <optional>
#include <vector>

class QIODevice;

// Byte-level work of the fuel level indicator, free of widgets: request
// builders, answer decoders, the table and its CSV files.
namespace n7 {

// The indicator's fixed unit address; its requests start with the answer
// start byte and its answers with the request start byte.
constexpr quint8 kUnitAddress = 0xDE;
constexpr quint8 kReadCommand = 0xEE;
constexpr quint8 kWriteCommand = 0xEF;
constexpr quint8 kModeCommand = 0xF2;

// Working modes as the mode byte carries them.
constexpr quint8 kModeActive = 0x00;
constexpr quint8 kModePassive = 0x01;

// Each of the four sensor slots keeps a table of this many points, sensor
// units to litres.
constexpr int kTableRows = 40;
constexpr int kUnitsColumn = 0;
constexpr int kLitresColumn = 1;
constexpr int kTableColumns = 2;

// The table answer and the table write are the same size.
constexpr int kTableFrameLength = 167;
// An acknowledgement: start, address, command, CRC.
constexpr int kAckLength = 4;

// Highest address the indicator takes for a sensor.
constexpr int kNetNumTop = 255;
// A table value is 16 bits wide.
constexpr int kCellTop = 0xFFFF;

using Column = std::array<quint16, kTableRows>;

// Sensor number carried by the read request for the sensor-number combo's
// position: positions 1 to 3 as they are, anything else 0.
quint8 sensorOfComboIndex(int index);
// 0x3E, 0xDE, 0xEE, sensor, CRC.
QByteArray readRequest(quint8 sensor);
// 0x3E, 0xDE, 0xF2, mode, CRC.
QByteArray modeRequest(quint8 mode);
// Mode byte of an entry of the mode list; nothing for any other entry.
std::optional<quint8> modeOfIndex(int index);
// Entry of the mode list that shows a mode byte; nothing for a mode the list
// does not hold.
std::optional<int> indexOfMode(quint8 mode);

// 0x3E, 0xDE, 0xEF, sensor, address, poll flag, the units column, the litres
// column (each value high byte first), CRC: 167 bytes.
QByteArray tableWrite(quint8 sensor, quint8 netNum, bool poll, const Column &units, const Column &litres);

// A table cell as the indicator stores it: the text read as a whole decimal
// number from 0 to kCellTop, blanks around it ignored; an empty cell is 0, as
// a point a file leaves out. Nothing for any other text (a sign, a fraction,
// a word, a number above 16 bits): it would reach the indicator cut or as 0.
std::optional<quint16> cellValue(const QString &text);
// The address to write: the typed one when the field was edited and holds a
// number other than 0, else the one the indicator reported (0 when that is
// no number either). Nothing when the number is one no sensor can have: its
// low byte would readdress the sensor to something nobody chose.
std::optional<quint8> chosenNetNum(bool typedEdited, const QString &typed, const QString &reported);

// ---- Answers ---------------------------------------------------------------

// Lengths the indicator's answers to a command come in, for cutting glued
// answers apart. The table answer does not repeat the read command reliably,
// so any other command may be either form.
std::vector<int> answerLengths(quint8 command);

// True when the frame starts with the indicator's start byte and its last byte
// is the CRC-8 of the bytes before it.
bool isAccepted(const QByteArray &frame);

struct TableAnswer
{
    quint8 address = 0; // byte 1: the indicator's own address when it is the table
    quint8 netNum = 0;  // address of the sensor in the slot
    quint8 pollFlag = 0;
    quint8 mode = 0;
    Column units{};
    Column litres{};
};

// Decodes a table answer already accepted; nothing unless it is exactly the
// table's length, so an acknowledgement is never taken for a table.
std::optional<TableAnswer> decodeTable(const QByteArray &frame);

// ---- Table files -----------------------------------------------------------

// A table as text cells, row by row, column 0 sensor units and column 1 litres.
using Table = QList<QStringList>;

// Reads a table file: one row per line (LF or CR LF), cells split at ";" as
// they stand. The first 40 lines count; missing rows are "0", "0" and a
// missing cell is "0". Cells beyond the second are dropped. An empty table
// when those lines hold nothing but blanks (an empty file included). Nothing
// when the file is no UTF-8 text (a NUL byte, a UTF-16 file): read as text,
// it would give a table of some of its cells and zeros.
std::optional<Table> readCsv(QIODevice &in);

// Where a cell sits in a table, counted from 0.
struct CellPlace
{
    int row = 0;
    int column = 0;
};
// The first cell, row by row, whose text the indicator cannot hold
// (cellValue() gives nothing); nothing when every cell fits.
std::optional<CellPlace> firstUnfitCell(const Table &table);

// The text of a table file: per row the cells in column order joined by
// "; ", each line ending with CR LF. readCsv reads it back in the same column
// order; the blank after each ";" stays with the next cell, which cellValue
// ignores, so the values come back as they were saved.
QByteArray csvText(const Table &table);

} // namespace n7

#endif // N7PROTOCOL_H
