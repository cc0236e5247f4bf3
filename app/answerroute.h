#ifndef ANSWERROUTE_H
#define ANSWERROUTE_H

// Which page's parser gets what the receive buffer holds. At most one device
// flag should be set; when more are, the first in this fixed order wins.
namespace answerroute {

struct DeviceFlags
{
    bool wiredTag = false, fls = false, ble = false, kv380 = false, plm300 = false, qfOnline = false, kvble = false,
         n7 = false;
};

enum class Parser { None, WiredTag, FLS, BLE, KV380, PLM300, QFOnline, KVBLE, N7 };

constexpr Parser parserFor(const DeviceFlags &f)
{
    return f.wiredTag   ? Parser::WiredTag
           : f.fls      ? Parser::FLS
           : f.ble      ? Parser::BLE
           : f.kv380    ? Parser::KV380
           : f.plm300   ? Parser::PLM300
           : f.qfOnline ? Parser::QFOnline
           : f.kvble    ? Parser::KVBLE
           : f.n7       ? Parser::N7
                        : Parser::None;
}

} // namespace answerroute

#endif // ANSWERROUTE_H
