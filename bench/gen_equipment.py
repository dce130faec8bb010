#!/usr/bin/env python3
"""Writes a definition source with N blocks of each of the eleven kinds
(default 8192, the most a kind may hold), with realistic items, in
Shift-JIS with CR LF line ends."""
import argparse


def blocks(n):
    for i in range(1, n + 1):
        yield (f"def_ec EC_PARAM_{i:05d} {{\n    ecid    : {0x100000 + i}\n    format  : F4\n"
               f"    units   : \"℃\"\n    min     : 0\n    max     : 500.0\n    nominal : 350.0\n}}\n")
        yield (f"def_sv SV_SENSOR_{i:05d} {{\n    svid    : 0x{0x200000 + i:X}\n    format  : U4[1]\n"
               f"    units   : sccm\n    limit   : 1, 100, 120\n"
               f"    event   : CE_EVENT_{i:05d}\n}}\n")
        if i % 16 == 0:
            yield (f"def_dv DV_LIST_{i:05d} {{\n    dvid    : {0x300000 + i}\n    format  : L\n"
                   f"    nominal : 2\n    vid     : SV_SENSOR_{i:05d}\n    vid     : EC_PARAM_{i:05d}\n}}\n")
        else:
            yield (f"def_dv DV_VALUE_{i:05d} {{\n    dvid    : {0x300000 + i}\n    format  : A[1..32]\n"
                   f"    nominal : \"lot {i}, wafer 1\"\n}}\n")
        yield (f"def_ce CE_EVENT_{i:05d} {{\n    ceid    : {0x400000 + i}\n    enabled : 1\n"
               f"    rptname : RP_REPORT_{i:05d}\n}}\n")
        yield (f"def_report RP_REPORT_{i:05d} {{\n    rptid   : {0x500000 + i}\n"
               f"    vname   : SV_SENSOR_{i:05d}\n    vname   : EC_PARAM_{i:05d}\n}}\n")
        yield (f"def_alarm AL_ALARM_{i:05d} {{\n    alid    : {0x600000 + i}\n    alcd    : 0x84\n"
               f"    altx    : \"ヒーター異常 {i}、加熱停止\"\n    ce_on   : CE_EVENT_{i:05d}\n}}\n")
        yield (f"def_pp PP_PROG_{i:05d} {{\n    ppid    : A[1..80] PROG_{i:05d}\n"
               f"    ppbody  : A[1..256] \"C:\\\\PP\\\\PROG_{i:05d}.PPB\"\n}}\n")
        yield (f"def_fpp FPP_PROG_{i:05d} {{\n    ppid    : A[1..80] FPROG_{i:05d}\n    mdln    : CVD-300\n"
               f"    softrev : V1.02\n    ccode   : A[8] HEAT\n    pparam  : F4[1] 350.0\n"
               f"    ccode   : A[8] DEPO\n    pparam  : U2[1] 600\n}}\n")
        yield (f"def_rcp RCP_{i:05d} {{\n    rcpid      : RECIPE_{i:05d}\n    rcpbody    : \"成膜 {i}\"\n"
               f"    rcpparname : TEMP\n    rcpparval  : F4[1] 350.0\n}}\n")
        yield (f"def_spool SPOOL_{i:05d} {{\n    stream   : {i}\n    function : 1\n    function : 3\n}}\n")
        yield (f"def_trace TR_{i:05d} {{\n    trid    : A[1..32] TRACE_{i:05d}\n    dsper   : 000010\n"
               f"    totsmp  : 600\n    repgsz  : 10\n    svname  : SV_SENSOR_{i:05d}\n}}\n")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("output")
    parser.add_argument("--blocks", type=int, default=8192, help="blocks of each kind")
    args = parser.parse_args()
    text = "// generated maximum-size equipment\nREV_NO = 2\n" + "".join(blocks(args.blocks))
    with open(args.output, "wb") as out:
        out.write(text.replace("\n", "\r\n").encode("cp932"))


if __name__ == "__main__":
    main()
