#include "tools/dbxgen/SampleMail.h"

#include <array>
#include <filesystem>

#include "store/DateTimeMath.h"

namespace quendrel::dbx {

namespace {

constexpr uint64_t kTicksPerSecond = 10'000'000;
constexpr uint64_t kTicksPerDay = 86'400 * kTicksPerSecond;

constexpr std::array kFirstNames = {"Anna",  "Ben",    "Carla", "David", "Elena", "Frank", "Greta",
                                    "Hugo",  "Ines",   "Jonas", "Katja", "Lukas", "Maria", "Nils",
                                    "Olga",  "Paul",   "Rosa",  "Simon", "Tanja", "Viktor"};
constexpr std::array kLastNames = {"Adler",  "Berger", "Conrad", "Dietz",  "Engel",  "Fischer", "Graf",
                                   "Hartmann", "Jansen", "Keller", "Lorenz", "Meier",  "Novak",   "Otto",
                                   "Peters", "Richter", "Schulz", "Vogel",  "Wagner", "Zimmer"};
constexpr std::array kDomains = {"example.com", "example.net", "example.org", "mail.example.com"};
constexpr std::array kTopics = {"Meeting on Thursday",  "Invoice 2026-%",      "Re: Project plan",
                                "Photos from the trip", "Lunch tomorrow?",     "Your order #% has shipped",
                                "Minutes of the call",  "Re: Re: Budget",      "Quarterly report",
                                "Fwd: Conference dates", "Question about the draft", "Newsletter %"};

// splitmix64: tiny, and the same sequence on every platform and compiler.
class Random {
public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  size_t Below(size_t n) { return static_cast<size_t>(Next() % n); }

private:
  uint64_t state_;
};

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

std::string Subject(Random& random) {
  std::string subject = kTopics[random.Below(kTopics.size())];
  if (const size_t hole = subject.find('%'); hole != std::string::npos)
    subject.replace(hole, 1, std::to_string(1000 + random.Below(9000)));
  return subject;
}

// RFC 822 date of a FILETIME, as the stored message carries it.
std::string MailDate(uint64_t ticks) {
  static constexpr std::array kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  // 1601-01-01 was a Monday.
  static constexpr std::array kWeekdays = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
  const CalendarTime t = CalendarFromTicks(ticks).value_or(CalendarTime{1601, 1, 1});
  char text[64];
  snprintf(text, sizeof text, "%s, %d %s %d %02d:%02d:%02d +0000", kWeekdays[ticks / kTicksPerDay % 7], t.Day,
           kMonths[t.Month - 1], t.Year, t.Hour, t.Minute, t.Second);
  return text;
}

}  // namespace

uint64_t FileTimeFromUtc(int year, int month, int day, int hour, int minute, int second) {
  return TicksFromCalendar(CalendarTime{year, month, day, hour, minute, second});
}

std::vector<MessageSpec> SampleMessages(const SampleOptions& options) {
  Random random(options.seed);
  std::vector<MessageSpec> messages;
  uint64_t received = options.startTime;
  for (int i = 0; i < options.count; ++i) {
    MessageSpec message;
    const std::string first = kFirstNames[random.Below(kFirstNames.size())];
    const std::string last = kLastNames[random.Below(kLastNames.size())];
    const std::string domain = kDomains[random.Below(kDomains.size())];
    message.index = options.firstIndex == 0 ? 0 : options.firstIndex + i;
    message.read = i < options.count - options.unread;
    message.senderName = first + " " + last;
    message.senderAddress = Lower(first) + "." + Lower(last) + "@" + domain;
    message.subject = Subject(random);
    // Between 2 minutes and 6 hours apart, sent shortly before arrival.
    received += (120 + random.Below(6 * 3600)) * kTicksPerSecond;
    message.receivedTime = received;
    message.sentTime = received - (5 + random.Below(300)) * kTicksPerSecond;
    message.messageId = "<" + std::to_string(random.Next() % 1'000'000'000) + "." +
                        std::to_string(options.seed) + "@" + domain + ">";
    message.body = "From: \"" + message.senderName + "\" <" + message.senderAddress + ">\r\n" +
                   "To: <user@example.com>\r\nSubject: " + message.subject + "\r\nDate: " +
                   MailDate(message.sentTime) + "\r\nMessage-ID: " + message.messageId +
                   "\r\nMIME-Version: 1.0\r\nContent-Type: text/plain; charset=\"iso-8859-1\"\r\n\r\n" +
                   "Hello,\r\n\r\nthis is message " + std::to_string(i + 1) + " about \"" + message.subject +
                   "\".\r\n\r\nRegards,\r\n" + first + "\r\n";
    messages.push_back(std::move(message));
  }
  return messages;
}

bool WriteDemoStore(const std::string& dir) {
  const auto file = [&](const char* name) { return (std::filesystem::path(dir) / name).string(); };
  const std::vector<FolderSpec> folders = {{1, 0, "Inbox", "Inbox.dbx"},
                                           {2, 0, "Outbox", "Outbox.dbx"},
                                           {3, 0, "Sent Items", "Sent Items.dbx"},
                                           {4, 0, "Deleted Items", "Deleted Items.dbx"}};
  std::vector<MessageSpec> sent = SampleMessages({.count = 5, .unread = 0, .seed = 3});
  for (MessageSpec& message : sent) {
    message.senderName = "Demo User";
    message.senderAddress = "user@example.com";
  }
  return WriteMessageFile(file("Inbox.dbx"), SampleMessages({.count = 12, .unread = 3, .seed = 1})) &&
         WriteMessageFile(file("Outbox.dbx"), {}) && WriteMessageFile(file("Sent Items.dbx"), sent) &&
         WriteMessageFile(file("Deleted Items.dbx"), SampleMessages({.count = 2, .unread = 0, .seed = 2})) &&
         WriteFolderListFile(file("Folders.dbx"), folders);
}

}  // namespace quendrel::dbx
