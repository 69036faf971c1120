// NMEA-0183 sentences as the simulated receiver sends them: "$GP..." with
// the XOR checksum over the characters between '$' and '*', ended by CR LF.
#pragma once

#include <string>
#include <vector>

namespace quorvel::sim {

struct Satellite {
    int prn = 0;
    int elevation = 0;  // degrees
    int azimuth = 0;    // degrees
    int snr = 0;        // dB-Hz, 0 = not tracked
    bool used = false;
};

// One epoch as the receiver reports it.
struct NmeaEpoch {
    double secondsOfDay = 0;  // UTC
    int year = 2024, month = 1, day = 1;
    double latDeg = 0, lonDeg = 0;  // signed, WGS84
    double heightM = 0;             // ellipsoidal
    double geoidSepM = 0;
    int quality = 1;  // GGA fix quality: 0 none, 1 single, 2 DGPS, 4 fixed, 5 float
    double diffAgeS = 0;
    int stationId = 0;
    double hdop = 1, vdop = 1, pdop = 1;
    double sigmaLatM = 1, sigmaLonM = 1, sigmaHeightM = 2;
    std::vector<Satellite> satellites;
};

// Two upper-case hex digits of the XOR of `body` (the text between '$' and
// '*').
std::string NmeaChecksum(const std::string& body);
// "$" body "*" checksum CR LF.
std::string NmeaSentence(const std::string& body);

// "hhmmss.ss".
std::string NmeaTime(double secondsOfDay);
// "ddmm.mmmmmmm,N" and "dddmm.mmmmmmm,E" (hemisphere from the sign).
std::string NmeaLatitude(double deg);
std::string NmeaLongitude(double deg);

std::string GgaSentence(const NmeaEpoch& e);
std::string GsaSentence(const NmeaEpoch& e);
// As many GSV sentences as the satellites need, four to a sentence.
std::vector<std::string> GsvSentences(const NmeaEpoch& e);
std::string ZdaSentence(const NmeaEpoch& e);
std::string GstSentence(const NmeaEpoch& e);

}  // namespace quorvel::sim
