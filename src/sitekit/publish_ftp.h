#pragma once
// Publishing to an FTP server through libcurl, in passive mode, with TLS on
// the login and the files for ftps://. The server's replies are kept to
// tell the user why a file did not arrive.

#include "sitekit/publish_run.h"

#include <curl/curl.h>

namespace sitekit {

std::unique_ptr<Transport> openFtpTransport(const Destination& destination, const Connection& connection);

// The last whole reply in what a server sent: its code (0 when there is
// none) and its text, fit to be shown in a message.
struct FtpReply {
    int code = 0;
    QString text;
};
FtpReply lastFtpReply(const QByteArray& received);

// What the FTP and SFTP transports share of libcurl: one easy handle set to
// send a file with a transport's progress and cancel (its XFERINFODATA the
// Transport), the file read as it goes (its READDATA a QFile).
CURL* newCurlHandle();
size_t curlReadFile(char* buffer, size_t size, size_t count, void* file);
int curlProgress(void* transport, curl_off_t, curl_off_t, curl_off_t, curl_off_t sent);

} // namespace sitekit
