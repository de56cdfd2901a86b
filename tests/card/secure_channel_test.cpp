// Session keys and secure messaging: each family's published examples
// (tests/data/card, provenance in its README) through one driver, a refusal
// for each operation, and each self-check made to fail by the skewed library.
#include "card_test_support.h"
#include "check_value.h"
#include "desfire.h"
#include "emv.h"
#include "kbkdf.h"
#include "mac.h"
#include "scp02.h"
#include "scp03.h"
#include "vector_files.h"

#include <fstream>
#include <functional>

namespace card_tests {
namespace {

using namespace orvelin::card;
using testing_support::from_hex;
using testing_support::read_records;
using testing_support::Record;
using testing_support::vector_file_present;

std::vector<Record> Records(const std::string& file, const std::string& section) {
    EXPECT_TRUE(vector_file_present("card/" + file));
    std::vector<Record> records;
    for (auto& record : read_records("card/" + file)) {
        if (record.section == section) {
            records.push_back(std::move(record));
        }
    }
    EXPECT_FALSE(records.empty()) << file << " [" << section << "]";
    return records;
}

Bytes Hex(const Record& record, const std::string& name) {
    return from_hex(record.at(name));
}

bool Has(const Record& record, const std::string& name) {
    return record.fields.contains(name) && !record.fields.at(name).empty();
}

// The labelled values in order, each checked where the record names it.
void ExpectValues(const CardResult& result, const Record& record,
                  const std::vector<std::pair<std::string, std::string>>& labels_and_fields) {
    ASSERT_EQ(result.values.size(), labels_and_fields.size()) << record.at("SOURCE");
    for (std::size_t i = 0; i < labels_and_fields.size(); ++i) {
        const auto& [label, field] = labels_and_fields[i];
        EXPECT_EQ(result.values[i].label, label);
        if (Has(record, field)) {
            EXPECT_EQ(result.values[i].bytes, Hex(record, field))
                << record.at("SOURCE") << ": " << label;
        }
    }
    EXPECT_FALSE(result.check_failure) << *result.check_failure;
}

const Bytes& Only(const CardResult& result) {
    EXPECT_EQ(result.values.size(), 1U);
    EXPECT_FALSE(result.check_failure) << *result.check_failure;
    return result.values.at(0).bytes;
}

DesfireChannel Channel(const Record& record, const Bytes& key, const Bytes& ti) {
    return {.key = key,
            .ti = ti,
            .counter = std::stoull(record.at("COUNTER")),
            .direction = record.at("DIRECTION") == "response" ? DesfireDirection::response
                                                              : DesfireDirection::command};
}

TEST(Desfire, PublishedExamples) {
    for (const auto& record : Records("desfire_ev2.txt", "SESSION")) {
        const CardResult& result = Done(DesfireSessionKeys(
            Library(), Hex(record, "KEY"), Hex(record, "RNDA"), Hex(record, "RNDB")));
        ExpectValues(result, record,
                     {{"SesAuthENCKey", "SESAUTHENCKEY"}, {"SesAuthMACKey", "SESAUTHMACKEY"}});
        EXPECT_EQ(StepNamed(result, "SV1"), Hex(record, "SV1"));
    }
    for (const auto& record : Records("desfire_ev2.txt", "ENCRYPT")) {
        const Bytes key = Hex(record, "KEY");
        const Bytes ti = Hex(record, "TI");
        const DesfireChannel channel = Channel(record, key, ti);
        const CardResult& encrypted =
            Done(DesfireEncrypt(Library(), channel, Hex(record, "PLAIN")));
        EXPECT_EQ(Only(encrypted), Hex(record, "CIPHER")) << record.at("SOURCE");
        const char* iv = channel.direction == DesfireDirection::command ? "IVc" : "IVr";
        EXPECT_EQ(StepNamed(encrypted, iv), Hex(record, "IV"));
        const CardResult& decrypted =
            Done(DesfireDecrypt(Library(), channel, Hex(record, "CIPHER")));
        EXPECT_EQ(Only(decrypted), Hex(record, "PLAIN")) << record.at("SOURCE");
    }
    for (const auto& record : Records("desfire_ev2.txt", "MAC")) {
        const Bytes key = Hex(record, "KEY");
        const Bytes ti = Hex(record, "TI");
        const CardResult& mac = Done(DesfireMac(Library(), Channel(record, key, ti),
                                                Hex(record, "CODE"), Hex(record, "DATA")));
        EXPECT_EQ(Only(mac), Hex(record, "MACT")) << record.at("SOURCE");
    }
}

TEST(Scp02, PublishedExamples) {
    for (const auto& record : Records("scp02.txt", "SESSION")) {
        const bool one_key = Has(record, "KEY");
        const Bytes enc = Hex(record, one_key ? "KEY" : "KEY-ENC");
        const Bytes mac = Hex(record, one_key ? "KEY" : "KEY-MAC");
        const Bytes dek = Hex(record, one_key ? "KEY" : "KEY-DEK");
        // Records that publish only keys give no challenges: any will do.
        const Bytes host = Has(record, "H") ? Hex(record, "H") : Bytes(8);
        const Bytes card = Has(record, "C") ? Hex(record, "C") : Bytes(6);
        const CardResult& result =
            Done(Scp02SessionKeys(Library(), {.enc = enc, .mac = mac, .dek = dek},
                                  {.sequence_counter = Hex(record, "SEQ"),
                                   .host_challenge = host,
                                   .card_challenge = card}));
        ExpectValues(result, record,
                     {{"S-ENC", "S-ENC"},
                      {"C-MAC", "C-MAC"},
                      {"R-MAC", "R-MAC"},
                      {"DEK", "DEK"},
                      {"card-cryptogram", "CARD-CRYPTOGRAM"},
                      {"host-cryptogram", "HOST-CRYPTOGRAM"}});
    }
    for (const auto& record : Records("scp02.txt", "CMAC")) {
        const Bytes key = Hex(record, "KEY");
        const Bytes apdu = Hex(record, "APDU");
        const Bytes icv = Hex(record, "ICV");
        const auto use =
            record.at("ICV-ENCRYPT") == "yes" ? Scp02Icv::encrypted : Scp02Icv::as_given;
        const CardResult& result = Done(Scp02CommandMac(
            Library(), {.c_mac_key = key, .apdu = apdu, .icv = icv, .icv_use = use}));
        EXPECT_EQ(Only(result), Hex(record, "C-MAC")) << record.at("SOURCE");
        if (icv.empty()) { // a first command's zero ICV is never encrypted
            const CardResult& first = Done(Scp02CommandMac(
                Library(),
                {.c_mac_key = key, .apdu = apdu, .icv = icv, .icv_use = Scp02Icv::encrypted}));
            EXPECT_EQ(Only(first), Hex(record, "C-MAC")) << record.at("SOURCE");
        }
    }
}

// Each short case of ISO/IEC 7816-4: the MAC covers the header (CLA with 04,
// Lc raised by 8) and the data, never Le, which follows the C-MAC; the MAC is
// the retail MAC of that input. Extended lengths and stray bytes are refused.
TEST(Scp02, EveryShortApduCase) {
    const Bytes key = from_hex("29A69328E60494982632039DDD47A2F1");
    const std::string longest_data(248 * 2, 'A');
    const struct {
        std::string apdu;
        const char* read_as; // the case, or the refusal
        const char* mac_input;
        const char* le;
    } cases[] = {
        {"80F00000", "case 1: header", "84F0000008", ""},
        {"80CA9F7F00", "case 2: header, Le", "84CA9F7F08", "00"},
        {"80CA9F7F2D", "case 2: header, Le", "84CA9F7F08", "2D"},
        {"80820000 08 63BCBE99397C7AF7", "case 3: header, Lc, data", "8482000010 63BCBE99397C7AF7",
         ""},
        {"80E60C00 03 AABBCC 00", "case 4: header, Lc, data, Le", "84E60C000B AABBCC", "00"},
        {"80CA9F", "The APDU must hold at least CLA, INS, P1 and P2!", "", ""},
        {"80CA9F7F 000100", "Extended-length APDUs are not taken: Lc and Le must be one byte each!",
         "", ""},
        {"80E20000 000002 AABB 0000",
         "Extended-length APDUs are not taken: Lc and Le must be one byte each!", "", ""},
        {"80CA9F7F 0001",
         "The APDU fits no case of ISO/IEC 7816-4: 00 after the header is Le alone, or starts an "
         "extended length that these bytes do not hold!",
         "", ""},
        {"80820000 08 AABB",
         "The APDU's Lc must equal the number of data bytes that follow it (then at most Le)!", "",
         ""},
        {"80820000 F8" + longest_data,
         "Lc must leave room for the 8-byte C-MAC: at most 247 bytes!", "", ""},
    };
    for (const auto& c : cases) {
        const Bytes apdu = from_hex(c.apdu);
        const CardOutcome outcome = Scp02CommandMac(Library(), {.c_mac_key = key, .apdu = apdu});
        if (std::string_view(c.mac_input).empty()) {
            EXPECT_EQ(RefusalOf(outcome), c.read_as) << c.apdu;
            continue;
        }
        const CardResult& result = Done(outcome);
        const Bytes input = from_hex(c.mac_input);
        const Bytes mac = Only(Done(Mac(Library(), {.algorithm = MacAlgorithm::retail,
                                                    .padding = PaddingMethod::mark_then_zeros,
                                                    .key = key,
                                                    .data = input})));
        EXPECT_EQ(result.steps.at(0).label, c.read_as) << c.apdu;
        EXPECT_EQ(StepNamed(result, "MAC input"), input) << c.apdu;
        EXPECT_EQ(Only(result), mac) << c.apdu;
        const Bytes sent = from_hex(std::string(c.mac_input) + testing_support::to_hex(mac) + c.le);
        EXPECT_EQ(StepNamed(result, "APDU with C-MAC"), sent) << c.apdu;
    }
}

// The DEK session key comes from the DEK static key alone.
TEST(Scp02, EachStaticKeyReachesOnlyItsSessionKeys) {
    const Bytes key = from_hex("404142434445464748494A4B4C4D4E4F");
    const Bytes other = from_hex("00112233445566778899AABBCCDDEEFF");
    const Bytes seq = from_hex("0007");
    const Bytes host(8);
    const Bytes card(6);
    const Scp02Session session{
        .sequence_counter = seq, .host_challenge = host, .card_challenge = card};
    const auto values = [&](const Bytes& enc, const Bytes& mac, const Bytes& dek) {
        return Done(Scp02SessionKeys(Library(), {.enc = enc, .mac = mac, .dek = dek}, session))
            .values;
    };
    const auto same = values(key, key, key);
    const auto dek_apart = values(key, key, other);
    const auto mac_apart = values(key, other, key);
    for (std::size_t i = 0; i < same.size(); ++i) {
        EXPECT_EQ(same[i].bytes == dek_apart[i].bytes, same[i].label != "DEK") << same[i].label;
        const bool from_mac = same[i].label == "C-MAC" || same[i].label == "R-MAC";
        EXPECT_EQ(same[i].bytes == mac_apart[i].bytes, !from_mac) << same[i].label;
    }
}

TEST(Scp03, PublishedTraces) {
    for (const auto& record : Records("scp03.txt", "SESSION")) {
        const CardResult& result =
            Done(Scp03SessionKeys(Library(), {.enc = Hex(record, "ENC"),
                                              .mac = Hex(record, "MAC"),
                                              .host_challenge = Hex(record, "H"),
                                              .card_challenge = Hex(record, "C")}));
        ExpectValues(result, record,
                     {{"S-ENC", "S-ENC"},
                      {"S-MAC", "S-MAC"},
                      {"S-RMAC", "S-RMAC"},
                      {"card-cryptogram", "CARD-CRYPTOGRAM"},
                      {"host-cryptogram", "HOST-CRYPTOGRAM"}});
    }
}

// NIST's counter-mode records, the counter before, after and between the
// fixed input data.
TEST(Kbkdf, NistCounterModeCmacAes128) {
    const std::string file = "card/kbkdf_cmac_aes128.txt";
    ASSERT_TRUE(vector_file_present(file));
    // Each record stands under three section lines; the reader keeps the
    // last, so the counter's place is read from the file's lines here.
    std::vector<std::string> lines;
    std::ifstream in(testing_support::vector_path(file));
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    const auto records = read_records(file);
    ASSERT_EQ(records.size(), 10U);
    for (const auto& record : records) {
        std::string location;
        for (auto i = static_cast<std::size_t>(record.line); i-- > 0 && location.empty();) {
            if (lines[i].starts_with("[CTRLOCATION=")) {
                location = lines[i].substr(13, lines[i].find(']') - 13);
            }
        }
        Bytes before;
        Bytes after;
        if (location == "BEFORE_FIXED") {
            after = Hex(record, "FixedInputData");
        } else if (location == "AFTER_FIXED") {
            before = Hex(record, "FixedInputData");
        } else {
            ASSERT_EQ(location, "MIDDLE_FIXED") << "line " << record.line;
            before = Hex(record, "DataBeforeCtrData");
            after = Hex(record, "DataAfterCtrData");
        }
        const Bytes key = Hex(record, "KI");
        const CardResult& result =
            Done(Kbkdf(Library(), {.key = key,
                                   .before_counter = before,
                                   .after_counter = after,
                                   .output_size = std::stoul(record.at("L")) / 8}));
        EXPECT_EQ(Only(result), Hex(record, "KO")) << "line " << record.line;
    }
}

Bytes Kcv(const Bytes& key) {
    const CardResult& kcv = Done(KeyCheckValue(
        Library(),
        {.cipher = kCardTwoKeyTdes, .key = key, .method = KcvMethod::zero_block, .length = 2}));
    return kcv.values.at(0).bytes;
}

// Keys are published as check values only, so the chain runs on: the ICC
// master key, its session key, the cryptogram under that, the ARPC under the
// ICC master key.
TEST(Emv, PublishedChains) {
    for (const auto& record : Records("emv.txt", "CHAIN")) {
        const std::string& source = record.at("SOURCE");
        const Bytes icc = Only(Done(
            EmvIccMasterKey(Library(), Hex(record, "IMK"), record.at("PAN"), record.at("PSN"))));
        if (Has(record, "ICC-KCV")) {
            EXPECT_EQ(Kcv(icc), Hex(record, "ICC-KCV")) << source;
        }
        const Bytes session = Only(Done(EmvSessionKey(Library(), icc, Hex(record, "R"))));
        EXPECT_EQ(Kcv(session), Hex(record, "SESSION-KCV")) << source;
        const auto padding = static_cast<PaddingMethod>(std::stoi(record.at("PADDING")));
        const Bytes arqc = Only(Done(EmvArqc(Library(), session, Hex(record, "DATA"), padding)));
        EXPECT_EQ(arqc, Hex(record, "ARQC")) << source;
        const Bytes arpc = Only(Done(EmvArpc(Library(), icc, arqc, Hex(record, "ARC"))));
        EXPECT_EQ(arpc, Hex(record, "ARPC")) << source;
    }
}

// Shorter PANs are left-padded to 16 digits, longer ones cut to the right.
TEST(Emv, PanDigitsMakeY) {
    const Bytes imk = from_hex("0123456789ABCDEFFEDCBA9876543210");
    const struct {
        const char* pan;
        const char* psn;
        const char* y;
    } cases[] = {{"12345678901234567", "45", "4567890123456745"},
                 {"123456", "", "0000000012345600"},
                 {"1234567890123456789", "01", "6789012345678901"}};
    for (const auto& [pan, psn, y] : cases) {
        const CardResult& result = Done(EmvIccMasterKey(Library(), imk, pan, psn));
        EXPECT_EQ(StepNamed(result, "Y"), from_hex(y)) << pan;
    }
}

const Bytes k16(16);
const Bytes k4(4);
const Bytes k8(8);

struct RefusalCase {
    const char* what;
    std::function<CardOutcome(const orvelin::TavikAlgBinding&)> run;
    const char* message;
};

const std::vector<RefusalCase>& RefusalCases() {
    static const Bytes k15(15);
    static const Bytes k6(6);
    static const Bytes k7(7);
    static const std::vector<RefusalCase> cases = {
        {"session RndB", [](const auto& l) { return DesfireSessionKeys(l, k16, k16, k15); },
         "RndB must be 16 bytes!"},
        {"MAC counter",
         [](const auto& l) {
             return DesfireMac(l, {.key = k16, .ti = k4, .counter = 65536}, Bytes(1), {});
         },
         "The counter must be from 0 to 65535!"},
        {"encrypt TI", [](const auto& l) { return DesfireEncrypt(l, {.key = k16, .ti = k8}, {}); },
         "TI must be 4 bytes!"},
        {"decrypt padding",
         [](const auto& l) {
             // A zero block encrypted from that channel's IV, with no padding.
             return DesfireDecrypt(l, {.key = k16, .ti = k4},
                                   from_hex("A13820AC8E2E6DD4EE152EDAAAD05476"));
         },
         "Not padded by method 2: the last block holds no 80 byte!"},
        {"SCP02 card challenge",
         [](const auto& l) {
             return Scp02SessionKeys(
                 l, {.enc = k16, .mac = k16, .dek = k16},
                 {.sequence_counter = Bytes(2), .host_challenge = k8, .card_challenge = k8});
         },
         "The card challenge must be 6 bytes!"},
        {"SCP02 Lc",
         [](const auto& l) {
             return Scp02CommandMac(l, {.c_mac_key = k16, .apdu = from_hex("8082000008AABB")});
         },
         "The APDU's Lc must equal the number of data bytes that follow it (then at most Le)!"},
        {"SCP03 MAC key",
         [](const auto& l) {
             return Scp03SessionKeys(
                 l, {.enc = k16, .mac = k8, .host_challenge = k8, .card_challenge = k8});
         },
         "The MAC key must be 16 bytes!"},
        {"KDF output", [](const auto& l) { return Kbkdf(l, {.key = k16, .output_size = 0}); },
         "The derived key must be from 1 to 4080 bytes!"},
        {"ICC PAN", [](const auto& l) { return EmvIccMasterKey(l, k16, "12345A", "00"); },
         "The PAN must be 1 to 19 decimal digits!"},
        {"ICC PSN", [](const auto& l) { return EmvIccMasterKey(l, k16, "1234", "5"); },
         "The PSN must be 2 decimal digits!"},
        {"session R", [](const auto& l) { return EmvSessionKey(l, k16, k7); },
         "R must be 8 bytes!"},
        {"ARQC padding",
         [](const auto& l) { return EmvArqc(l, k16, k8, PaddingMethod::length_block); },
         "The cryptogram's padding must be method 1 or 2!"},
        {"ARPC ARC", [](const auto& l) { return EmvArpc(l, k16, k8, k6); },
         "The ARC must be 2 bytes!"},
    };
    return cases;
}

TEST(SecureChannel, RefusesBadInput) {
    for (const auto& c : RefusalCases()) {
        EXPECT_EQ(RefusalOf(c.run(Library())), c.message) << c.what;
    }
}

// Under the skewed library every whole-message export lies; the values,
// made from the block exports, stay right and each check says so.
TEST(SecureChannel, EachSelfCheckCatchesALyingExport) {
    const Bytes apdu = from_hex("8082010008BA6961667737C5BC");
    const std::vector<
        std::pair<const char*, std::function<CardOutcome(const orvelin::TavikAlgBinding&)>>>
        runs = {
            {"DESFire session", [](const auto& l) { return DesfireSessionKeys(l, k16, k16, k16); }},
            {"DESFire MAC",
             [](const auto& l) { return DesfireMac(l, {.key = k16, .ti = k4}, Bytes(1), k8); }},
            {"DESFire encrypt",
             [](const auto& l) { return DesfireEncrypt(l, {.key = k16, .ti = k4}, k8); }},
            {"DESFire decrypt",
             [](const auto& l) {
                 const DesfireChannel channel{.key = k16, .ti = k4};
                 const Bytes cipher_text = Only(Done(DesfireEncrypt(Library(), channel, k8)));
                 return DesfireDecrypt(l, channel, cipher_text);
             }},
            {"SCP02 session",
             [](const auto& l) {
                 return Scp02SessionKeys(l, {.enc = k16, .mac = k16, .dek = k16},
                                         {.sequence_counter = Bytes(2),
                                          .host_challenge = k8,
                                          .card_challenge = Bytes(6)});
             }},
            {"SCP02 C-MAC",
             [&apdu](const auto& l) {
                 return Scp02CommandMac(l, {.c_mac_key = k16, .apdu = apdu});
             }},
            {"SCP03 session",
             [](const auto& l) {
                 return Scp03SessionKeys(
                     l, {.enc = k16, .mac = k16, .host_challenge = k8, .card_challenge = k8});
             }},
            {"ICC master key", [](const auto& l) { return EmvIccMasterKey(l, k16, "1234", ""); }},
            {"EMV session key", [](const auto& l) { return EmvSessionKey(l, k16, k8); }},
            {"ARQC", [](const auto& l) { return EmvArqc(l, k16, k8); }},
            {"ARPC", [](const auto& l) { return EmvArpc(l, k16, k8, Bytes(2)); }},
        };
    for (const auto& [what, run] : runs) {
        const CardOutcome real = run(Library());
        const CardOutcome skewed = run(SkewedLibrary());
        const CardResult& honest = Done(real);
        const CardResult& caught = Done(skewed);
        EXPECT_FALSE(honest.check_failure) << what;
        EXPECT_TRUE(caught.check_failure) << what;
        ASSERT_EQ(caught.values.size(), honest.values.size()) << what;
        for (std::size_t i = 0; i < honest.values.size(); ++i) {
            EXPECT_EQ(caught.values[i].bytes, honest.values[i].bytes) << what;
        }
    }
}

} // namespace
} // namespace card_tests
