// Runs a fuzz target without libFuzzer: on the files named on the command
// line, or on a few built-in inputs, so the harnesses build and run in every
// build.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

const char* const kBuiltIn[] = {
    "",
    "EC: NAME00000005TEMP1ID  000003e9FORM0000002cSIZE00000001MSIZ00000000\r\n",
    "SV: NAME00000001LID  00000001FORM00000000SIZE00000001MSIZ00000000NOMI000000012VID "
    "00000001AVID 00000001B\r\n",
    "SP: NAME00000002S1STRE00000006COUN00000002FUNC0000000bFUNC0000000d\r\n",
    "FP: NAME00000001FID  00000001XFORM00000010SIZE00000001MSIZ00000001MDLN00000000SOFT00000000"
    "COUN00000001CCOD00000001CFORM00000010SIZE00000001MSIZ00000001PCOU00000000\r\n",
    "RC: NAME00000001RID  00000001XCOUN7fffffffPNAM00000000\r\n",
    "TR: NAME00000001TID  00000001XFORM00000010SIZE00000001MSIZ00000001DSPE00000000TOTS00000001"
    "REPG00000001COUN00000001SVNA00000002SV\r\n",
    "CE: NAME00000001CID  00000001RPNAffffffff\r\n",
    "//----- a.cnf\r\n\r\nLOG_PATH = C:\\X\r\nCOMM_SIDE = HOST\r\nPP_COUNT = 0x10\r\n= \r\nX\r\n",
};

}  // namespace

int main(int argc, char** argv) {
    int runs = 0;
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot open %s\n", argv[i]);
            return 1;
        }
        std::ostringstream s;
        s << in.rdbuf();
        std::string data = s.str();
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(data.data()), data.size());
        ++runs;
    }
    if (argc == 1) {
        for (const char* input : kBuiltIn) {
            std::string data(input);
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(data.data()), data.size());
            // Every prefix too: cut lines are the commonest fault.
            for (size_t n = 0; n < data.size(); ++n)
                LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(data.data()), n);
            ++runs;
        }
    }
    std::printf("%d inputs run\n", runs);
    return 0;
}
