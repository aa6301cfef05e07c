#include "spooler.h"

#include "printinglibrary.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QRegularExpression>
#include <QTimer>
#include <atomic>
#include <memory>
#include <thread>

namespace platform::printing {
namespace {

// How long the window waits at most for the spooler's answer; one that
// answers at all does so in milliseconds.
constexpr int AnswerWaitMs = 10000;

// What the spooler said, asked on a thread of its own: whether it answered,
// and of a queue, its default paper (a PWG media name such as
// "na_letter_8.5x11in") and orientation (3 portrait, 4 landscape, 5 reverse
// landscape, 6 reverse portrait; 0 when it has none).
enum class Answer { Ready, NotRunning, NotAnswering, UnknownQueue, Refuses };
struct Reply {
    Answer answer = Answer::NotAnswering;
    QByteArray media;
    int orientation = 0;
};

// Connecting and each wait for data: a spooler that answers at all does so
// in milliseconds.
constexpr int ConnectMs = 3000;
constexpr double ReadSeconds = 5;

int giveUp(http_t *, void *) { return 0; }

// Runs on a worker thread: its own connection, its own timeouts.
Reply ask(const QByteArray &queue)
{
    const Cups &c = cups();
    http_t *http = c.connect(c.server(), c.port(), nullptr, AF_UNSPEC, c.encryption(), 1, ConnectMs, nullptr);
    if (!http)
        return Reply{Answer::NotRunning, {}, 0};
    c.setTimeout(http, ReadSeconds, giveUp, nullptr);
    // One request, so that one timeout bounds it: any answer will do for the
    // spooler itself ("no default printer" included); a queue's own
    // attributes say whether it takes jobs.
    ipp_t *request = nullptr;
    if (queue.isEmpty()) {
        request = c.newRequest(IPP_OP_CUPS_GET_DEFAULT);
    } else {
        char uri[HTTP_MAX_URI];
        c.assembleUri(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                      queue.constData());
        request = c.newRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
        c.addString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
        static const char *const wanted[]
            = {"printer-is-accepting-jobs", "media-default", "orientation-requested-default"};
        c.addStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", int(std::size(wanted)),
                     nullptr, wanted);
    }
    Reply reply;
    if (ipp_t *response = c.doRequest(http, request, "/")) {
        reply.answer = Answer::Ready;
        if (!queue.isEmpty()) {
            ipp_attribute_t *accepting = c.findAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
            if (c.statusCode(response) == IPP_STATUS_ERROR_NOT_FOUND)
                reply.answer = Answer::UnknownQueue;
            else if (accepting && !c.getBoolean(accepting, 0))
                reply.answer = Answer::Refuses;
            if (ipp_attribute_t *media = c.findAttribute(response, "media-default", IPP_TAG_ZERO))
                reply.media = c.getString(media, 0, nullptr);
            if (ipp_attribute_t *orientation = c.findAttribute(response, "orientation-requested-default", IPP_TAG_ENUM))
                reply.orientation = c.getInteger(orientation, 0);
        }
        c.deleteIpp(response);
    } else if (!queue.isEmpty() && c.lastError() == IPP_STATUS_ERROR_NOT_FOUND) {
        reply.answer = Answer::UnknownQueue;
    }
    c.close(http);
    return reply;
}

// Asks on a worker thread while the calling thread's events go on; a
// worker still waiting after AnswerWaitMs is left to end on its own.
Reply askAndWait(const QByteArray &queue)
{
    struct Exchange {
        std::atomic<bool> done{false};
        Reply reply;
    };
    auto exchange = std::make_shared<Exchange>();
    std::thread([exchange, queue] {
        exchange->reply = ask(queue);
        exchange->done.store(true, std::memory_order_release);
    }).detach();
    QEventLoop loop;
    QTimer poll;
    QElapsedTimer waited;
    waited.start();
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (exchange->done.load(std::memory_order_acquire) || waited.elapsed() >= AnswerWaitMs)
            loop.quit();
    });
    poll.start(5);
    if (!exchange->done.load(std::memory_order_acquire))
        loop.exec();
    return exchange->done.load(std::memory_order_acquire) ? exchange->reply : Reply{};
}

// A PWG media name ends with the paper's size: "iso_a5_148x210mm".
std::optional<QPageSize> paperNamed(const QByteArray &media)
{
    static const QRegularExpression size(QStringLiteral("_([0-9.]+)x([0-9.]+)(mm|in)$"));
    const QRegularExpressionMatch match = size.match(QString::fromLatin1(media));
    const double width = match.captured(1).toDouble(), height = match.captured(2).toDouble();
    if (!match.hasMatch() || width <= 0 || height <= 0)
        return std::nullopt;
    const QPageSize paper(QSizeF(width, height), match.captured(3) == u"mm" ? QPageSize::Millimeter : QPageSize::Inch);
    return paper.isValid() ? std::optional(paper) : std::nullopt;
}

core::Result<> inUserWords(Answer answer, const QString &queue)
{
    switch (answer) {
    case Answer::Ready:
        return {};
    case Answer::NotRunning:
        return core::Failure{QStringLiteral("The print service is not running, so nothing can be printed.")};
    case Answer::NotAnswering:
        return core::Failure{QStringLiteral("The print service is not answering, so nothing can be printed now.")};
    case Answer::UnknownQueue:
        return core::Failure{QStringLiteral("The printer \"%1\" is no longer set up.").arg(queue)};
    case Answer::Refuses:
        return core::Failure{QStringLiteral("The printer \"%1\" refuses jobs at the moment.").arg(queue)};
    }
    return {};
}

} // namespace

core::Result<> spoolerAnswers()
{
    if (!cups().loaded())
        return {};
    return inUserWords(askAndWait({}).answer, {});
}

core::Result<> queueTakesJobs(const QString &queue)
{
    if (!cups().loaded())
        return {};
    return inUserWords(askAndWait(queue.toUtf8()).answer, queue);
}

QueueDefaults queueDefaults(const QString &queue)
{
    if (!cups().loaded())
        return {};
    const Reply reply = askAndWait(queue.toUtf8());
    if (reply.answer != Answer::Ready)
        return {};
    QueueDefaults defaults{paperNamed(reply.media), std::nullopt};
    if (reply.orientation == 4 || reply.orientation == 5)
        defaults.orientation = QPageLayout::Landscape;
    else if (reply.orientation == 3 || reply.orientation == 6)
        defaults.orientation = QPageLayout::Portrait;
    return defaults;
}

core::Result<> documentTaken(const QString &queue)
{
    if (!cups().loaded() || cups().lastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return {};
    return core::Failure{
        QStringLiteral("The print service did not take the document for the printer \"%1\".").arg(queue)};
}

} // namespace platform::printing
