#include "spooler.h"

#include "printinglibrary.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <atomic>
#include <memory>
#include <thread>

namespace platform::printing {
namespace {

// How long the window waits at most for the spooler's answer; one that
// answers at all does so in milliseconds.
constexpr int AnswerWaitMs = 10000;

// What the spooler said, asked on a thread of its own.
enum class Answer { Ready, NotRunning, NotAnswering, UnknownQueue, Refuses };

// Connecting and each wait for data: a spooler that answers at all does so
// in milliseconds.
constexpr int ConnectMs = 3000;
constexpr double ReadSeconds = 5;

int giveUp(http_t *, void *) { return 0; }

// Runs on a worker thread: its own connection, its own timeouts.
Answer ask(const QByteArray &queue)
{
    const Cups &c = cups();
    http_t *http = c.connect(c.server(), c.port(), nullptr, AF_UNSPEC, c.encryption(), 1, ConnectMs, nullptr);
    if (!http)
        return Answer::NotRunning;
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
        c.addString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                    "printer-is-accepting-jobs");
    }
    Answer answer = Answer::NotAnswering;
    if (ipp_t *response = c.doRequest(http, request, "/")) {
        answer = Answer::Ready;
        if (!queue.isEmpty()) {
            ipp_attribute_t *accepting = c.findAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
            if (c.statusCode(response) == IPP_STATUS_ERROR_NOT_FOUND)
                answer = Answer::UnknownQueue;
            else if (accepting && !c.getBoolean(accepting, 0))
                answer = Answer::Refuses;
        }
        c.deleteIpp(response);
    } else if (!queue.isEmpty() && c.lastError() == IPP_STATUS_ERROR_NOT_FOUND) {
        answer = Answer::UnknownQueue;
    }
    c.close(http);
    return answer;
}

// Asks on a worker thread while the calling thread's events go on; a
// worker still waiting after AnswerWaitMs is left to end on its own.
Answer askAndWait(const QByteArray &queue)
{
    struct Exchange {
        std::atomic<bool> done{false};
        Answer answer = Answer::NotAnswering;
    };
    auto exchange = std::make_shared<Exchange>();
    std::thread([exchange, queue] {
        exchange->answer = ask(queue);
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
    return exchange->done.load(std::memory_order_acquire) ? exchange->answer : Answer::NotAnswering;
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
    return inUserWords(askAndWait({}), {});
}

core::Result<> queueTakesJobs(const QString &queue)
{
    if (!cups().loaded())
        return {};
    return inUserWords(askAndWait(queue.toUtf8()), queue);
}

core::Result<> documentTaken(const QString &queue)
{
    if (!cups().loaded() || cups().lastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return {};
    return core::Failure{
        QStringLiteral("The print service did not take the document for the printer \"%1\".").arg(queue)};
}

} // namespace platform::printing
