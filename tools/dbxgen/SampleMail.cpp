#include "tools/dbxgen/SampleMail.h"

#include <array>
#include <filesystem>

namespace quendrel::dbx {

namespace {

constexpr uint64_t kTicksPerSecond = 10'000'000;
// Days from 1601-01-01 to 1970-01-01.
constexpr int64_t kEpochDays1601 = 134774;

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

int64_t DaysFromCivil(int year, int month, int day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yoe = year - era * 400;
  const int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

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
  static constexpr std::array kWeekdays = {"Thu", "Fri", "Sat", "Sun", "Mon", "Tue", "Wed"};
  const int64_t seconds = static_cast<int64_t>(ticks / kTicksPerSecond) - kEpochDays1601 * 86400;
  const int64_t days = seconds / 86400;
  int64_t rest = seconds % 86400;
  // civil_from_days
  const int64_t z = days + 719468;
  const int64_t era = z / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int64_t day = doy - (153 * mp + 2) / 5 + 1;
  const int64_t month = mp < 10 ? mp + 3 : mp - 9;
  const int64_t year = yoe + era * 400 + (month <= 2);
  char text[64];
  snprintf(text, sizeof text, "%s, %d %s %d %02d:%02d:%02d +0000", kWeekdays[days % 7], static_cast<int>(day),
           kMonths[month - 1], static_cast<int>(year), static_cast<int>(rest / 3600),
           static_cast<int>(rest / 60 % 60), static_cast<int>(rest % 60));
  return text;
}

}  // namespace

uint64_t FileTimeFromUtc(int year, int month, int day, int hour, int minute, int second) {
  const int64_t days = DaysFromCivil(year, month, day) + kEpochDays1601;
  return static_cast<uint64_t>((days * 86400 + hour * 3600 + minute * 60 + second)) * kTicksPerSecond;
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
