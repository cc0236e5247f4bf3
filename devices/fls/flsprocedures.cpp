#include "devices/fls/flsprocedures.h"

#include "link/frame.h"

namespace fls {

namespace {

// Span of the count between an empty and a full tank, and the drift of the
// count per degree above and below zero, by model.
struct CalibrationConstants
{
    qint64 span = 0;
    qint64 driftWarm = 0;
    qint64 driftCold = 0;
};

CalibrationConstants calibrationConstants(Model model)
{
    switch (model) {
    case Model::QF410:
        return {8800, 33, 52};
    case Model::QF470:
        return {7600, 25, 45};
    case Model::QF210:
        return {5200, 22, 27};
    case Model::QF260:
        return {7500, 22, 37};
    default:
        return {};
    }
}

// Empty lies this many counts above the count of the tank as it stands.
constexpr qint64 kEmptyMargin = 100;
// Full grows this much faster than the count above the span.
constexpr double kFullFactor = 2.03;
// Counts per step of the temperature correction of Full.
constexpr qint64 kCountsPerDriftStep = 2400;

// The sensor keeps its levels as 32-bit counts; a result beyond that range
// wraps the way the sensor's own arithmetic does.
qint32 wrapped(qint64 value)
{
    return static_cast<qint32>(static_cast<quint32>(static_cast<quint64>(value)));
}

QByteArray be32Payload(quint32 value)
{
    QByteArray payload;
    frame::appendBe32(payload, value);
    return payload;
}

} // namespace

QByteArray fullFromLevelRequest(quint8 net)
{
    return frame::writeRequest(net, kSetFullCommand);
}

QByteArray emptyFromLevelRequest(quint8 net)
{
    return frame::writeRequest(net, kSetEmptyCommand);
}

QByteArray fullWrite(quint8 net, qint32 full)
{
    return frame::writeRequest(net, kWriteFullCommand, be32Payload(static_cast<quint32>(full)));
}

QByteArray emptyWrite(quint8 net, qint32 empty)
{
    return frame::writeRequest(net, kWriteEmptyCommand, be32Payload(static_cast<quint32>(empty)));
}

QByteArray horizonRequest(quint8 net)
{
    return frame::writeRequest(net, kHorizonCommand);
}

QByteArray netNumWrite(quint8 net, quint8 newNet)
{
    return frame::writeRequest(net, kNetNumWriteCommand, QByteArray(1, static_cast<char>(newNet)));
}

QByteArray alarmLevelWrite(quint8 net, quint8 percent)
{
    return frame::writeRequest(net, kAlarmLevelWriteCommand, QByteArray(1, static_cast<char>(percent)));
}

QByteArray serialNumberWrite(quint8 net, quint32 serial)
{
    return frame::writeRequest(net, kSerialNumberWriteCommand, be32Payload(serial));
}

std::optional<quint32> decimalInRange(const QString &text, quint32 minimum, quint32 maximum)
{
    const QString digits = text.trimmed();
    // Ten digits hold every 32-bit number; more are refused before they are
    // read, so that no conversion can overflow.
    if (digits.isEmpty() || digits.size() > 10)
        return std::nullopt;
    quint64 value = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + quint64(c.unicode() - '0');
    }
    if (value < minimum || value > maximum)
        return std::nullopt;
    return static_cast<quint32>(value);
}

std::vector<LevelProblem> manualLevelProblems(qint32 empty, qint32 full)
{
    std::vector<LevelProblem> problems;
    if (empty > full)
        problems.push_back(LevelProblem::EmptyAboveFull);
    if (empty == 0)
        problems.push_back(LevelProblem::EmptyMissing);
    if (full == 0)
        problems.push_back(LevelProblem::FullMissing);
    return problems;
}

AutoCalibration autoCalibration(Model model, qint8 temperature, qint32 count)
{
    const CalibrationConstants c = calibrationConstants(model);
    const qint64 t = temperature;
    const qint64 cnt = count;
    const qint64 drift = t >= 0 ? c.driftWarm : c.driftCold;

    AutoCalibration result;
    result.empty = wrapped(cnt - drift * t + kEmptyMargin);

    // The factor is the double nearest to 2.03, a little below it; the
    // product keeps that deficit in extended precision, so a whole-numbered
    // result above the span truncates to one less.
    const long double f1 = static_cast<long double>(c.span) +
                           static_cast<long double>(cnt - c.span) * static_cast<long double>(kFullFactor);
    const qint64 full1 = static_cast<qint64>(f1);
    const qint64 steps = cnt / kCountsPerDriftStep;
    result.full = wrapped(full1 - t * (drift - steps));
    return result;
}

int slaveMask(const std::array<bool, kSlaveCount> &on)
{
    int mask = 0;
    for (int k = kSlaveCount - 1; k >= 0; --k)
        mask = (mask << 1) | (on[size_t(k)] ? 1 : 0);
    return mask;
}

bool isSlaveOn(int mask, int slave)
{
    return slave >= 1 && slave <= kSlaveCount && (mask & (1 << (slave - 1)));
}

} // namespace fls
