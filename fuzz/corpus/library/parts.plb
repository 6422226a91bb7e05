*version 6.3 144182148
@index
symloc Q0 0 559 generic part
symloc NOR1;V5 559 91 generic part
symloc DIP2,A;B9:BASE9 650 414
symloc Q3,8:GEN3 1064 528 rev5
symloc SOT4:BASE17 1592 70
symloc D5,A;B4:BASE18 1662 221
symloc C6;V7 1883 218
symloc C7;V0 2101 120
symloc CONN8;V5 2221 406 generic part
symloc U9:BASE19 2627 80
symloc AND10:GEN4 2707 258 rev8
symloc NOR11 2965 202 generic part
symloc U12;V4 3167 602
symloc SOT13:BASE5 3769 533
symloc D14,57:BASE17 4302 170
symloc D15:GEN4 4472 415 rev8
symloc CONN16,A;B9 4887 177 generic part
symloc AND17,24 5064 317
symloc R18,67 5381 117
symloc L19,A;B8 5498 146
symloc NOR20,A;B9:BASE5 5644 48
symloc U21;V4:GEN1 5692 430 rev0
symloc L22,A;B2:BASE14 6122 250
symloc SOT23 6372 372 generic part
symloc R24:GEN4 6744 70 rev5
symloc D25,A;B7 6814 290 generic part
symloc Q26:BASE18 7104 67
symloc L27 7171 276
symloc L28 7447 30
symloc CONN29 7477 425
symloc L30,68 7902 483
symloc U31 8385 451
symloc C32:GEN4 8836 220 rev6
symloc CONN33:GEN0 9056 461 rev5
symloc CONN34 9517 315
symloc C35 9832 645
symloc R36:BASE19 10477 535
symloc AND37;V0:BASE1 11012 531
symloc QFP38,A;B7:GEN4 11543 432 rev3
symloc NOR39:BASE11 11975 467
*package Q0 generic part
arc 283 347 45 90
arc -239 -842 45 90
text 0 262 "label 2"
pin 3 -482 -404 in
arc 708 -632 45 90
pin 5 -322 -549 in
pin 6 605 176 in
line 360 979 979 360
text 0 352 "label 8"
arc 342 -591 45 90
pin 10 800 -533 in
arc -568 -850 45 90
arc -940 -460 45 90
pin 13 609 -629 in
arc -113 -108 45 90
line -452 571 571 -452
arc 211 969 45 90
arc -581 569 45 90
line -723 193 193 -723
arc -473 -310 45 90
arc -211 -385 45 90
pin 21 -281 -600 in
pin 22 705 -543 in
pin 23 -282 212 in
arc 999 -301 45 90
text 0 -125 "label 25"
arc 211 -489 45 90
*package NOR1;V5 generic part
pin 0 -25 -315 in
line 765 462 462 765
text 0 -849 "label 2"
*package DIP2,A;B9 ako BASE9
text 0 -184 "label 0"
pin 1 -476 -850 in
pin 2 -718 38 in
line 334 -446 -446 334
pin 4 -519 430 in
arc -12 -290 45 90
pin 6 799 -995 in
text 0 369 "label 7"
text 0 -515 "label 8"
arc -80 -325 45 90
line -476 -860 -860 -476
line -99 -814 -814 -99
text 0 -125 "label 12"
arc -984 141 45 90
arc -371 767 45 90
arc -592 812 45 90
pin 16 225 -94 in
text 0 616 "label 17"
line 689 37 37 689
*package Q3,8 rev5 ako GEN3
arc -567 797 45 90
text 0 792 "label 1"
arc -500 -126 45 90
pin 3 -337 -823 in
text 0 374 "label 4"
arc 607 937 45 90
pin 6 -849 -236 in
pin 7 -463 -234 in
line 199 723 723 199
text 0 -863 "label 9"
pin 10 -564 -387 in
text 0 41 "label 11"
arc -728 647 45 90
pin 13 642 410 in
line 646 -394 -394 646
arc -667 800 45 90
line 930 616 616 930
arc -580 -626 45 90
text 0 873 "label 18"
pin 19 99 356 in
pin 20 -446 -520 in
text 0 96 "label 21"
line 734 -192 -192 734
arc 924 -460 45 90
pin 24 505 266 in
*package SOT4 ako BASE17
line -129 189 189 -129
text 0 -411 "label 1"
*package D5,A;B4 ako BASE18
line -546 -736 -736 -546
text 0 -81 "label 1"
line -768 -203 -203 -768
text 0 431 "label 3"
line -451 -242 -242 -451
pin 5 -629 -281 in
pin 6 -131 462 in
text 0 585 "label 7"
pin 8 -557 620 in
*package C6;V7
arc 934 -693 45 90
text 0 -214 "label 1"
arc -304 636 45 90
line 435 -301 -301 435
line 616 -800 -800 616
arc -679 -598 45 90
arc 82 809 45 90
pin 7 -803 46 in
text 0 -117 "label 8"
text 0 839 "label 9"
*package C7;V0
line 230 -14 -14 230
line 372 -245 -245 372
line 567 -292 -292 567
pin 3 353 497 in
text 0 298 "label 4"
*package CONN8;V5 generic part
pin 0 246 998 in
line 4 -451 -451 4
arc 525 544 45 90
line 10 -200 -200 10
text 0 903 "label 4"
arc 828 -224 45 90
arc -120 42 45 90
pin 7 -400 -587 in
pin 8 -471 -737 in
pin 9 -351 199 in
text 0 578 "label 10"
arc -742 -980 45 90
pin 12 -606 -536 in
pin 13 -369 942 in
line 701 318 318 701
pin 15 -162 367 in
line 16 979 979 16
line -356 330 330 -356
text 0 -914 "label 18"
*package U9 ako BASE19
pin 0 -656 221 in
arc 523 -136 45 90
arc -988 -980 45 90
*package AND10 rev8 ako GEN4
text 0 -625 "label 0"
line -919 109 109 -919
text 0 881 "label 2"
line -189 -608 -608 -189
text 0 540 "label 4"
text 0 -386 "label 5"
arc -39 478 45 90
pin 7 -388 -241 in
text 0 -450 "label 8"
pin 9 -854 -217 in
arc 97 402 45 90
*package NOR11 generic part
arc 483 -639 45 90
pin 1 -696 -583 in
arc 620 770 45 90
pin 3 889 908 in
arc 779 -923 45 90
line 686 -756 -756 686
text 0 127 "label 6"
text 0 -76 "label 7"
pin 8 14 -591 in
*package U12;V4
line 915 509 509 915
line -500 705 705 -500
text 0 262 "label 2"
pin 3 437 -323 in
pin 4 -632 226 in
pin 5 820 189 in
arc 952 604 45 90
arc -482 -941 45 90
pin 8 -673 -962 in
pin 9 495 934 in
text 0 -10 "label 10"
text 0 -498 "label 11"
line -585 -966 -966 -585
line 322 -359 -359 322
line -583 442 442 -583
text 0 534 "label 15"
arc -155 -42 45 90
text 0 768 "label 17"
pin 18 -131 -920 in
pin 19 -580 -971 in
arc -547 874 45 90
text 0 -351 "label 21"
pin 22 159 467 in
arc 163 335 45 90
arc -185 379 45 90
line -754 271 271 -754
pin 26 346 79 in
arc -307 -939 45 90
arc -3 -949 45 90
*package SOT13 ako BASE5
pin 0 691 -444 in
line 120 541 541 120
line 893 -184 -184 893
arc 79 735 45 90
pin 4 -34 484 in
line -801 196 196 -801
line 442 -28 -28 442
line -406 -847 -847 -406
text 0 -69 "label 8"
pin 9 -613 -537 in
pin 10 320 313 in
pin 11 -253 53 in
line 760 482 482 760
arc 137 739 45 90
line 796 521 521 796
arc -806 209 45 90
text 0 -287 "label 16"
arc 989 951 45 90
text 0 -982 "label 18"
pin 19 958 520 in
pin 20 -817 324 in
text 0 -578 "label 21"
pin 22 -181 -1000 in
line 194 728 728 194
text 0 139 "label 24"
*package D14,57 ako BASE17
pin 0 -363 -291 in
arc -460 -486 45 90
text 0 -844 "label 2"
line 868 387 387 868
pin 4 520 -257 in
text 0 914 "label 5"
text 0 -679 "label 6"
*package D15 rev8 ako GEN4
arc -714 433 45 90
pin 1 -107 -828 in
arc -691 108 45 90
arc 930 -744 45 90
arc -667 675 45 90
pin 5 -531 526 in
line 56 990 990 56
line -566 392 392 -566
pin 8 695 738 in
arc -41 767 45 90
text 0 -219 "label 10"
line 286 -736 -736 286
arc 770 161 45 90
pin 13 311 -878 in
arc 934 440 45 90
arc -913 -552 45 90
pin 16 -597 898 in
text 0 451 "label 17"
line 42 392 392 42
pin 19 510 36 in
*package CONN16,A;B9 generic part
arc -342 551 45 90
line 265 847 847 265
pin 2 -261 584 in
line 86 737 737 86
line -216 -975 -975 -216
text 0 -537 "label 5"
arc 667 -582 45 90
*package AND17,24
arc -317 -994 45 90
line -121 -525 -525 -121
text 0 -417 "label 2"
text 0 -615 "label 3"
text 0 -126 "label 4"
text 0 -25 "label 5"
pin 6 992 -940 in
line -927 -521 -521 -927
arc -346 33 45 90
arc 777 -382 45 90
line -605 -924 -924 -605
arc -240 -858 45 90
arc -464 223 45 90
line -698 472 472 -698
*package R18,67
line 622 25 25 622
pin 1 541 -438 in
text 0 59 "label 2"
line -581 -160 -160 -581
arc -119 283 45 90
*package L19,A;B8
line -306 -513 -513 -306
pin 1 603 -674 in
arc -644 787 45 90
arc 698 580 45 90
line -670 -197 -197 -670
line 938 -407 -407 938
*package NOR20,A;B9 ako BASE5
pin 0 435 -337 in
*package U21;V4 rev0 ako GEN1
text 0 -178 "label 0"
arc 556 493 45 90
line 551 -408 -408 551
pin 3 -115 -875 in
line 180 -731 -731 180
text 0 268 "label 5"
arc -393 752 45 90
pin 7 277 -539 in
text 0 -386 "label 8"
arc 896 348 45 90
arc 688 -878 45 90
arc -266 -532 45 90
pin 12 362 -958 in
arc -118 531 45 90
arc 192 88 45 90
arc -289 64 45 90
text 0 45 "label 16"
text 0 -951 "label 17"
line -576 -69 -69 -576
arc 860 902 45 90
*package L22,A;B2 ako BASE14
arc -707 497 45 90
text 0 -417 "label 1"
arc 886 586 45 90
text 0 -556 "label 3"
arc -809 -473 45 90
pin 5 328 121 in
line 147 615 615 147
line -56 213 213 -56
pin 8 -911 -422 in
line 769 -819 -819 769
pin 10 -818 439 in
*package SOT23 generic part
pin 0 -795 -911 in
arc -68 486 45 90
line 216 248 248 216
line 173 767 767 173
pin 4 101 983 in
pin 5 607 -653 in
line -807 -940 -940 -807
line 387 489 489 387
line 772 -535 -535 772
arc -546 999 45 90
line 526 277 277 526
pin 11 -754 -439 in
pin 12 501 739 in
pin 13 849 180 in
text 0 774 "label 14"
arc -807 -909 45 90
line -142 -28 -28 -142
*package R24 rev5 ako GEN4
line 29 -199 -199 29
text 0 -406 "label 1"
*package D25,A;B7 generic part
pin 0 -824 -508 in
pin 1 441 831 in
text 0 -617 "label 2"
arc -683 -852 45 90
line -995 880 880 -995
pin 5 712 456 in
pin 6 667 492 in
text 0 934 "label 7"
pin 8 -649 893 in
text 0 403 "label 9"
arc -110 -587 45 90
line -985 967 967 -985
line 825 369 369 825
*package Q26 ako BASE18
text 0 -765 "label 0"
line 84 -328 -328 84
*package L27
text 0 -75 "label 0"
line 900 -730 -730 900
text 0 492 "label 2"
pin 3 282 -855 in
pin 4 -203 -458 in
text 0 -914 "label 5"
arc 223 575 45 90
arc 961 -131 45 90
arc -617 384 45 90
pin 9 -454 -51 in
line 446 -699 -699 446
text 0 -298 "label 11"
arc -67 -523 45 90
*package L28
pin 0 188 130 in
*package CONN29
pin 0 -297 160 in
text 0 618 "label 1"
line -205 -944 -944 -205
arc -500 300 45 90
pin 4 196 38 in
text 0 -237 "label 5"
text 0 339 "label 6"
line 537 -848 -848 537
line 674 123 123 674
pin 9 618 302 in
line 926 -372 -372 926
pin 11 -643 603 in
text 0 -155 "label 12"
line -681 -754 -754 -681
pin 14 939 976 in
pin 15 559 503 in
text 0 495 "label 16"
arc 46 132 45 90
line -8 368 368 -8
text 0 517 "label 19"
*package L30,68
text 0 272 "label 0"
pin 1 -486 120 in
pin 2 -966 -558 in
arc 45 625 45 90
line 873 -521 -521 873
pin 5 -636 948 in
pin 6 72 -557 in
line 783 962 962 783
pin 8 -294 738 in
line 957 148 148 957
pin 10 103 -218 in
arc 889 626 45 90
text 0 -104 "label 12"
arc -128 525 45 90
arc -687 608 45 90
arc 198 -334 45 90
arc -577 -596 45 90
arc -94 -856 45 90
text 0 -248 "label 18"
pin 19 -147 881 in
arc 564 491 45 90
arc 991 -113 45 90
arc 943 -225 45 90
arc -928 -702 45 90
*package U31
pin 0 219 -724 in
line -434 -88 -88 -434
text 0 -763 "label 2"
arc -539 112 45 90
line -443 805 805 -443
text 0 623 "label 5"
line -368 -62 -62 -368
line -423 75 75 -423
pin 8 902 -438 in
line -420 -381 -381 -420
line 890 815 815 890
text 0 185 "label 11"
text 0 77 "label 12"
text 0 -318 "label 13"
pin 14 903 322 in
pin 15 -70 -298 in
arc 985 -488 45 90
pin 17 247 -632 in
line -884 493 493 -884
text 0 94 "label 19"
pin 20 -988 -99 in
*package C32 rev6 ako GEN4
text 0 -389 "label 0"
pin 1 797 -590 in
line -326 -688 -688 -326
pin 3 -178 -344 in
line -79 -600 -600 -79
arc -457 -802 45 90
line -603 906 906 -603
arc -259 -408 45 90
line -61 -593 -593 -61
*package CONN33 rev5 ako GEN0
arc -719 402 45 90
pin 1 748 639 in
pin 2 -908 -65 in
text 0 -440 "label 3"
pin 4 -678 -214 in
line -85 -905 -905 -85
line 836 714 714 836
line 229 -703 -703 229
pin 8 -117 -293 in
text 0 146 "label 9"
text 0 356 "label 10"
line 289 -640 -640 289
pin 12 -326 953 in
text 0 -62 "label 13"
pin 14 -502 -893 in
pin 15 -710 468 in
pin 16 933 350 in
pin 17 -456 -508 in
text 0 -943 "label 18"
text 0 -467 "label 19"
arc -716 -493 45 90
*package CONN34
arc -898 -199 45 90
text 0 -738 "label 1"
text 0 -872 "label 2"
text 0 958 "label 3"
line 370 -293 -293 370
line 903 193 193 903
line 560 626 626 560
line 712 -425 -425 712
line -903 -186 -186 -903
pin 9 -599 968 in
text 0 462 "label 10"
text 0 -256 "label 11"
pin 12 -653 44 in
arc -264 -467 45 90
*package C35
line -107 66 66 -107
text 0 741 "label 1"
text 0 -549 "label 2"
arc -839 -633 45 90
pin 4 428 373 in
line -111 -994 -994 -111
arc -384 713 45 90
arc 668 139 45 90
arc -208 -71 45 90
text 0 15 "label 9"
pin 10 874 -324 in
arc -326 56 45 90
arc 543 -173 45 90
arc 966 326 45 90
line -592 -917 -917 -592
text 0 -484 "label 15"
line -493 -478 -478 -493
text 0 -560 "label 17"
arc -814 -218 45 90
text 0 561 "label 19"
pin 20 -553 -738 in
line 714 -686 -686 714
line 15 895 895 15
pin 23 901 -770 in
line 643 -846 -846 643
line 644 -505 -505 644
line -626 337 337 -626
text 0 -912 "label 27"
line 442 -978 -978 442
text 0 619 "label 29"
*package R36 ako BASE19
text 0 208 "label 0"
pin 1 -111 -527 in
pin 2 -871 85 in
pin 3 363 881 in
text 0 999 "label 4"
arc 943 -675 45 90
arc -975 -711 45 90
line 886 62 62 886
line -510 403 403 -510
text 0 -235 "label 9"
text 0 254 "label 10"
text 0 -133 "label 11"
text 0 163 "label 12"
arc 744 -1000 45 90
arc 579 174 45 90
pin 15 695 -847 in
pin 16 671 -432 in
line -324 941 941 -324
pin 18 -935 -842 in
text 0 -670 "label 19"
arc -506 141 45 90
line 377 547 547 377
text 0 621 "label 22"
text 0 -613 "label 23"
arc 560 -109 45 90
*package AND37;V0 ako BASE1
arc 124 286 45 90
text 0 596 "label 1"
line -691 -368 -368 -691
line 866 794 794 866
arc -301 -460 45 90
line -117 147 147 -117
text 0 -688 "label 6"
text 0 567 "label 7"
pin 8 -49 -597 in
pin 9 -578 319 in
text 0 -287 "label 10"
arc 473 535 45 90
arc -709 969 45 90
line 673 -678 -678 673
text 0 180 "label 14"
line 58 567 567 58
line -924 -304 -304 -924
line -482 -217 -217 -482
line 120 -307 -307 120
text 0 650 "label 19"
arc 341 993 45 90
pin 21 433 522 in
arc -790 -693 45 90
line 81 -925 -925 81
*package QFP38,A;B7 rev3 ako GEN4
line -475 965 965 -475
text 0 -830 "label 1"
line -926 -921 -921 -926
line -226 -788 -788 -226
line 91 -763 -763 91
arc -204 164 45 90
pin 6 -235 -288 in
line -780 189 189 -780
arc -969 684 45 90
text 0 -539 "label 9"
arc 493 -722 45 90
pin 11 -80 -203 in
arc -741 699 45 90
pin 13 697 -669 in
text 0 255 "label 14"
text 0 533 "label 15"
arc -320 82 45 90
line 618 511 511 618
line -292 36 36 -292
*package NOR39 ako BASE11
pin 0 273 -213 in
text 0 691 "label 1"
text 0 -489 "label 2"
text 0 -478 "label 3"
pin 4 371 -613 in
text 0 -694 "label 5"
arc 67 -587 45 90
line -921 -70 -70 -921
line 580 358 358 580
line -876 160 160 -876
text 0 257 "label 10"
arc -605 -244 45 90
text 0 173 "label 12"
arc 419 -404 45 90
arc -716 -804 45 90
arc 430 -834 45 90
text 0 -878 "label 16"
line 853 335 335 853
text 0 -150 "label 18"
line 167 937 937 167
line 593 -479 -479 593
